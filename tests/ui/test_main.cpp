// The ui tests run inside the program's own application object, so that the general error
// handler (its notify) is the one under test.
#include "ui/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    PrepareApplicationStart(true);
    TVkApplication app(argc, argv);
    InitializeApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
