// The "Settings" dialog: data folder, game and user programs, description
// language, drawing options and the 3D viewer. OK stores every value and
// brings the running program in line: the game files are scanned again when
// the data folder changed, the resource strings reloaded or emptied when the
// language, the on/off switch or the data folder changed.
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace launcher {

// A typed language number: a decimal whole number within 32 bits.
std::optional<int32_t> ParseLanguageId(const QString& text);

class frmSettings : public QDialog {
    Q_OBJECT

public:
    explicit frmSettings(QWidget* parent = nullptr);

    // 1 after OK, 2 after Cancel, 0 when closed any other way.
    int32_t ModalResult = 0;

    // Fills the controls from the settings; a modal dialog returns when it
    // closes, a modeless one at once.
    void ShowSettings(bool modal, QWidget* owner);

    QTabWidget* MainTab = nullptr;
    QLineEdit* DataDir = nullptr;
    QLineEdit* ZorvPathEdit = nullptr;
    QCheckBox* chkLoadDesc = nullptr;
    QComboBox* cmbLangID = nullptr;
    QLineEdit* EditorEdit = nullptr;
    QCheckBox* chkUseDD = nullptr;
    QCheckBox* chkUseDBuf = nullptr;
    QLineEdit* Ext3DViewerEdit = nullptr;
    QLineEdit* Ext3DViewerCmdLineEdit = nullptr;
    QPushButton* btnDataDirBrowse = nullptr;
    QPushButton* btnZorvBrowse = nullptr;
    QPushButton* btnEditorBrowse = nullptr;
    QPushButton* btnExt3DViewerBrowse = nullptr;
    QPushButton* btnShowFiles = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void ApplySettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildCommonTab();
    QWidget* BuildGraphicsTab();
    QWidget* Build3DViewerTab();
    void UpdateLangEnabled();
    void UpdateDoubleBufferEnabled();
    void BrowseProgram(QLineEdit* field);
    void Cancel();

    QWidget* m_owner = nullptr;
    // What the settings held when the dialog opened, so a second OK after a
    // refused language number still sees what changed.
    QString m_oldPath;
    int32_t m_oldLanguage = 0;
    bool m_oldLoad = false;
};

} // namespace launcher
