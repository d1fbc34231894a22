#include "shell/launcher/ProgramActions.h"

#include "platform/Processes.h"
#include "shell/commonwidgets/mdlCommonWidgets.h"
#include "shell/launcher/frmAbout.h"
#include "shell/launcher/frmSettings.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/DialogRunner.h"

namespace launcher {

void ProgramActions::OpenTXTEditor(QWidget*, const QString&) {}

void ProgramActions::OpenGalaxyEditor(QWidget*, const QString&) {}

void ProgramActions::OpenResEditor(QWidget*, const QString&) {}

bool ProgramActions::ShowSettings(QWidget* owner) {
    frmSettings dialog(owner);
    dialog.ShowSettings(true, owner);
    return dialog.ModalResult == 1;
}

void ProgramActions::ShowAbout(QWidget* owner) {
    frmAbout about(owner);
    shellwidgets::RunModal(about);
}

void ProgramActions::ShowHelp() {
    mdlCommon::ShowHelp();
}

bool ProgramActions::RunProgram(const QString& path, QString& error) {
    return platform::StartDetached(path, {}, error, mdlComFunctions::GetFileDir(path));
}

} // namespace launcher
