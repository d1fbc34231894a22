// The modal dialog that edits one text of a page, or adds a new one,
// through the editor's document. The raw text is edited; the second tab
// shows it resolved, with its display escapes, read-only.
#pragma once

#include "platform/Prompts.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class ResEditorDocument;
class clsPage;
class clsString;

class frmStringEdit : public QDialog {
    Q_OBJECT

public:
    explicit frmStringEdit(QWidget* parent = nullptr);
    ~frmStringEdit() override;

    // 1 OK, 2 Cancel, 0 before either.
    int32_t ModalResult = 0;

    // Fills the dialog; the caller runs it modally. A new text is added to
    // the page with the id typed; any other is edited in place (its id
    // stays).
    void ShowString(ResEditorDocument& document, std::shared_ptr<clsPage> page,
                    std::shared_ptr<clsString> text, bool isNew);

    QLineEdit* IDEdit = nullptr;
    QTabBar* MainTab = nullptr;
    QPlainTextEdit* TextEdit = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOK_Click();
    void btnCancel_Click();

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    void ApplyTabView();
    QString DisplayForm();

    ResEditorDocument* m_document = nullptr;
    std::shared_ptr<clsPage> m_page;
    std::shared_ptr<clsString> m_text;
    std::shared_ptr<clsString> m_copy;
    bool m_isNew = false;
    bool m_rawView = false;
};
