// Vitreo-K: reflection and transmission of plane light at the interface of two media.
#include "ui/application.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
    PrepareApplicationStart();
    TVkApplication app(argc, argv);
    InitializeApplication(app);
    TFMain window;
    window.show();
    return app.exec();
}
