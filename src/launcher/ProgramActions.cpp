#include "launcher/ProgramActions.h"

#include "common/widgets/mdlCommonWidgets.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "launcher/frmAbout.h"
#include "launcher/frmSettings.h"
#include "platform/Processes.h"
#include "platform/widgets/DialogRunner.h"
#include "resources/widgets/frmResEditor.h"
#include "shell/mdlComFunctions.h"
#include "ships/widgets/ShipPanels.h"
#include "tfiles/widgets/frmTXTEditor.h"

namespace launcher {

namespace {

// Editors are windows of their own, not children of the launcher: closing
// the launcher leaves them open, and the program ends with the last window.
template <class Editor> Editor* newEditor() {
    auto* editor = new Editor;
    editor->setAttribute(Qt::WA_DeleteOnClose);
    return editor;
}

} // namespace

ProgramActions::ProgramActions() {
    ShipPanels::Register();
    GalaxyMapViews::SetFactory(&m_mapViews);
    const auto openTexts = [this](QWidget* owner) { OpenResEditor(owner, QString()); };
    frmTXTEditor::SetTextEditorOpener(openTexts);
    frmGalaxyEditor::SetTextEditorOpener(openTexts);
}

ProgramActions::~ProgramActions() {
    frmTXTEditor::SetTextEditorOpener(nullptr);
    frmGalaxyEditor::SetTextEditorOpener(nullptr);
    delete m_galaxyEditor;
    GalaxyMapViews::SetFactory(nullptr);
}

void ProgramActions::OpenTXTEditor(QWidget*, const QString& file) {
    auto* editor = newEditor<frmTXTEditor>();
    editor->MyShow();
    editor->setWindowState(Qt::WindowNoState);
    QString path = file;
    if (!path.isEmpty())
        editor->OpenFile(path);
}

void ProgramActions::OpenResEditor(QWidget*, const QString& file) {
    auto* editor = newEditor<frmResEditor>();
    editor->MyShow();
    editor->setWindowState(Qt::WindowNoState);
    if (!file.isEmpty())
        editor->OpenFile(file);
}

void ProgramActions::OpenGalaxyEditor(QWidget*, const QString& file) {
    if (!m_galaxyEditor)
        m_galaxyEditor = new frmGalaxyEditor;
    m_galaxyEditor->MyShow();
    m_galaxyEditor->setWindowState(Qt::WindowNoState);
    QString path = file;
    if (!path.isEmpty())
        m_galaxyEditor->OpenFile(path);
}

bool ProgramActions::ShowSettings(QWidget* owner) {
    frmSettings dialog(owner);
    dialog.ShowSettings(true, owner);
    return dialog.ModalResult == 1;
}

void ProgramActions::ShowAbout(QWidget* owner) {
    frmAbout about(owner);
    platform::RunModal(about);
}

void ProgramActions::ShowHelp() {
    mdlCommon::ShowHelp();
}

bool ProgramActions::RunProgram(const QString& path, QString& error) {
    return platform::StartDetached(path, {}, error, mdlComFunctions::GetFileDir(path));
}

} // namespace launcher
