// The modal dialog that asks for the language and the file number of a new
// language file, proposing the next free number in the game's "t" folder.
#pragma once

#include "platform/Prompts.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

class frmNewXML : public QDialog {
    Q_OBJECT

public:
    explicit frmNewXML(QWidget* parent = nullptr);
    ~frmNewXML() override;

    // 1 OK, 2 Cancel.
    int32_t ModalResult = 0;
    // Set on OK: the language and the file name without folder.
    int32_t LangID = 0;
    QString FileName;

    // Fills the dialog; the caller runs it modally.
    void ShowNewFile();

    QComboBox* cmbLangID = nullptr;
    QLineEdit* FileNoEdit = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOK_Click();
    void btnCancel_Click();
    // Puts the next free file number of the chosen language in FileNoEdit.
    void ProposeFileNumber();

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    // The selected entry's language, else the number typed.
    std::optional<int32_t> ChosenLanguage() const;
};
