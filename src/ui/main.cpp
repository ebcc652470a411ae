// Vitreo-K: reflection and transmission of plane light at the interface of two media.
#include "cli/command_line.h"
#include "ui/application.h"
#include "ui/main_form.h"

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc > 1) {
        // A command line runs without a window: no application object, so no display is needed.
        // The summary's numbers follow the locale as in the window.
        ApplySystemLocaleSeparators();
        return RunCommandLine({argv + 1, argv + argc}, STDOUT_FILENO, STDERR_FILENO);
    }
    PrepareApplicationStart();
    TVkApplication app(argc, argv);
    InitializeApplication(app);
    TFMain window;
    window.show();
    return app.exec();
}
