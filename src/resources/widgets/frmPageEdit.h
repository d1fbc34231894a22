// The modal dialog that edits one page's title and description, or adds a
// new page with the id typed, through the editor's document.
#pragma once

#include "platform/Prompts.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QLineEdit;
class QPushButton;
class ResEditorDocument;
class clsPage;

class frmPageEdit : public QDialog {
    Q_OBJECT

public:
    explicit frmPageEdit(QWidget* parent = nullptr);
    ~frmPageEdit() override;

    // 1 OK, 2 Cancel, 0 before either.
    int32_t ModalResult = 0;

    // Fills the dialog; the caller runs it modally. A new page is added to
    // the document on OK; the id of any other stays.
    void ShowPage(ResEditorDocument& document, std::shared_ptr<clsPage> page, bool isNew);

    QLineEdit* IDEdit = nullptr;
    QLineEdit* TitleEdit = nullptr;
    QLineEdit* DescEdit = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOK_Click();
    void btnCancel_Click();

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    ResEditorDocument* m_document = nullptr;
    std::shared_ptr<clsPage> m_page;
    bool m_isNew = false;
};
