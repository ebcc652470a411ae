// The display tests run inside the program's own application object on Qt's xcb platform,
// against the X server that DISPLAY names (scripts/test starts a private Xvfb for them).
#include "display_start.h"

#include "ui/application.h"

#include <gtest/gtest.h>

#include <cstdio>

int RunDisplayTests(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest's discovery) needs no display.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "The display tests need an X server: run them through scripts/test, "
                             "or set DISPLAY to a virtual one (Xvfb).\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    PrepareApplicationStart(false);
    TVkApplication app(argc, argv);
    InitializeApplication(app);
    return RUN_ALL_TESTS();
}
