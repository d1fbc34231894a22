#include "shell/launcher/Main.h"
#include "platform/widgets/QtPrompts.h"
#include "platform/widgets/RegistryReports.h"
#include "shell/launcher/ProgramActions.h"
#include "shell/launcher/QuitOnSignals.h"
#include "shell/launcher/ZorvApplication.h"
#include "shell/launcher/frmMain2.h"

int main(int argc, char** argv) {
    launcher::ZorvApplication application(argc, argv);
    const launcher::QuitOnSignals quitOnSignals;
    platform::QtPrompts prompts;
    platform::setPrompts(&prompts);
    platform::installRegistryReports(&application);
    launcher::ProgramActions actions;
    const std::unique_ptr<launcher::frmMain2> window =
        launcher::Main(actions, application.arguments().mid(1));
    if (!window)
        return 1;
    // A signal during start-up has ended every event loop that was running.
    const int result = quitOnSignals.exitCode() ? quitOnSignals.exitCode() : application.exec();
    platform::setPrompts(nullptr);
    return result;
}
