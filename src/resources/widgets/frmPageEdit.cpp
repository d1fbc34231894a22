#include "resources/widgets/frmPageEdit.h"

#include "resources/ResEditorDocument.h"
#include "resources/clsPage.h"
#include "resources/widgets/ResEditorDialogs.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

frmPageEdit::frmPageEdit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPageEdit"));
    setWindowTitle(QStringLiteral("Page"));
    IDEdit = ResEditorDialogs::Named(new QLineEdit(this), "IDEdit");
    mdlComFunctions::SetWindowStyle(IDEdit);
    TitleEdit = ResEditorDialogs::Named(new QLineEdit(this), "TitleEdit");
    DescEdit = ResEditorDialogs::Named(new QLineEdit(this), "DescEdit");

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Page ID"), IDEdit);
    layout->addRow(QStringLiteral("Title"), TitleEdit);
    layout->addRow(QStringLiteral("Description"), DescEdit);
    auto* buttons = ResEditorDialogs::OkCancelRow(this, btnOK, btnCancel);
    layout->addRow(buttons);
    resize(420, minimumSizeHint().height());

    connect(btnOK, &QPushButton::clicked, this, &frmPageEdit::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmPageEdit::btnCancel_Click);
}

frmPageEdit::~frmPageEdit() = default;

void frmPageEdit::ShowPage(ResEditorDocument& document, std::shared_ptr<clsPage> page, bool isNew) {
    m_document = &document;
    m_page = std::move(page);
    m_isNew = isNew;
    IDEdit->setText(isNew ? QString() : QString::number(m_page->PageID));
    TitleEdit->setText(m_page->Name);
    DescEdit->setText(m_page->desc);
    IDEdit->setEnabled(isNew);
}

void frmPageEdit::btnOK_Click() {
    bool isNumber = false;
    const int32_t id = IDEdit->text().toInt(&isNumber);
    if (!isNumber) {
        m_prompts.tell(QStringLiteral("You must enter page ID."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    if (m_isNew && m_document->Pages().contains(clsPage::MakeKey(id))) {
        m_prompts.tell(QStringLiteral("This ID is already used in different page."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    QString error;
    bool written = false;
    if (m_isNew) {
        const auto added = m_page->Clone();
        added->PageID = id;
        added->Name = TitleEdit->text();
        added->desc = DescEdit->text();
        written = m_document->AddPage(added, error);
        if (written)
            added->CopyTo(*m_page);
    } else {
        written = m_document->UpdatePage(*m_page, TitleEdit->text(), DescEdit->text(), error);
    }
    if (!written) {
        m_prompts.tell("Error saving page to XML:\n" + error, platform::PromptIcon::Critical);
        return;
    }
    ModalResult = 1;
    done(QDialog::Accepted);
}

void frmPageEdit::btnCancel_Click() {
    ModalResult = 2;
    done(QDialog::Rejected);
}
