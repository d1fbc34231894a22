#include "resources/widgets/frmStringEdit.h"

#include "platform/Prompts.h"
#include "resources/ResEditorDocument.h"
#include "resources/clsPage.h"
#include "resources/widgets/ResEditorDialogs.h"
#include "resources/widgets/ResEditorPresentation.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

frmStringEdit::frmStringEdit(QWidget* parent)
    : QDialog(parent), m_copy(std::make_shared<clsString>()) {
    setObjectName(QStringLiteral("frmStringEdit"));
    setWindowTitle(QStringLiteral("Text"));
    IDEdit = ResEditorDialogs::Named(new QLineEdit(this), "IDEdit");
    mdlComFunctions::SetWindowStyle(IDEdit);
    MainTab = ResEditorDialogs::Named(new QTabBar(this), "MainTab");
    MainTab->addTab(QStringLiteral("Raw text"));
    MainTab->addTab(QStringLiteral("Translated text"));
    TextEdit = ResEditorDialogs::Named(new QPlainTextEdit(this), "TextEdit");

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ID"), this), 0, 0);
    layout->addWidget(IDEdit, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Text"), this), 1, 0, Qt::AlignTop);
    auto* textColumn = new QVBoxLayout;
    textColumn->setSpacing(0);
    textColumn->addWidget(MainTab);
    textColumn->addWidget(TextEdit);
    layout->addLayout(textColumn, 1, 1);
    auto* buttons = ResEditorDialogs::OkCancelRow(this, btnOK, btnCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
    resize(480, 300);

    connect(btnOK, &QPushButton::clicked, this, &frmStringEdit::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmStringEdit::btnCancel_Click);
    connect(MainTab, &QTabBar::currentChanged, this, &frmStringEdit::ApplyTabView);
}

frmStringEdit::~frmStringEdit() = default;

void frmStringEdit::ShowString(ResEditorDocument& document, std::shared_ptr<clsPage> page,
                               std::shared_ptr<clsString> text, bool isNew) {
    m_document = &document;
    m_page = std::move(page);
    m_text = std::move(text);
    m_isNew = isNew;
    IDEdit->setText(isNew ? QString() : QString::number(m_text->ID));
    m_text->CopyTo(*m_copy);
    m_rawView = false;
    IDEdit->setEnabled(isNew);
    ApplyTabView();
}

void frmStringEdit::ApplyTabView() {
    if (!m_text)
        return;
    if (MainTab->currentIndex() == 0) {
        if (!m_rawView) {
            TextEdit->setReadOnly(false);
            m_rawView = true;
            TextEdit->setPlainText(m_copy->RawText());
        }
        return;
    }
    if (m_rawView)
        m_copy->SetRawText(TextEdit->toPlainText());
    TextEdit->setPlainText(DisplayForm());
    TextEdit->setReadOnly(true);
    m_rawView = false;
}

QString frmStringEdit::DisplayForm() {
    m_document->Translate(*m_copy);
    return ResEditorPresentation::DisplayText(m_copy->Text());
}

void frmStringEdit::btnOK_Click() {
    bool isNumber = false;
    const int32_t id = IDEdit->text().toInt(&isNumber);
    if (!isNumber) {
        m_prompts.tell(QStringLiteral("You must enter text ID."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    if (m_isNew && m_page->FindString(id)) {
        m_prompts.tell(QStringLiteral("This text ID is already used in this page."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    if (m_rawView)
        m_copy->SetRawText(TextEdit->toPlainText());
    QString error;
    bool written = false;
    if (m_isNew) {
        const auto added = m_copy->Clone();
        added->ID = id;
        written = m_document->AddText(m_page, added, error);
        if (written)
            added->CopyTo(*m_text);
    } else {
        written = m_document->UpdateText(*m_text, m_copy->RawText(), error);
    }
    if (!written) {
        m_prompts.tell(
            QStringLiteral("Error saving string to xml document - that's really strange..."),
            platform::PromptIcon::Critical);
        return;
    }
    ModalResult = 1;
    done(QDialog::Accepted);
}

void frmStringEdit::btnCancel_Click() {
    ModalResult = 2;
    done(QDialog::Rejected);
}
