#include "launcher/Main.h"
#include "launcher/ProgramActions.h"
#include "launcher/QuitOnSignals.h"
#include "launcher/ZorvApplication.h"
#include "launcher/frmMain2.h"
#include "platform/widgets/QtPrompts.h"
#include "platform/widgets/RegistryReports.h"

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
