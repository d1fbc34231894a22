#include "shell/widgets/frmFind.h"

#include "platform/Prompts.h"
#include "platform/widgets/DialogRunner.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Selects the whole text whenever the field takes the focus.
class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            if (auto* field = qobject_cast<QLineEdit*>(watched))
                QMetaObject::invokeMethod(
                    field, [field] { mdlComFunctions::SelectAllText(field, false); },
                    Qt::QueuedConnection);
        return false;
    }
};

} // namespace

frmFind::frmFind(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(tr("Find what"), this)), FindEdit(new QLineEdit(this)),
      Frame1(new QGroupBox(tr("Conditions"), this)),
      chkWholeWords(new QCheckBox(tr("Match whole words"), Frame1)),
      lblIDText(new QLabel(tr("Compare:"), Frame1)), rbIDText{new QRadioButton(tr("ID"), Frame1),
                                                              new QRadioButton(tr("Text"), Frame1)},
      btnFindNext(new QPushButton(tr("Find Next"), this)),
      btnCancel(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("frmFind"));
    Label1->setObjectName(QStringLiteral("Label1"));
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    chkWholeWords->setObjectName(QStringLiteral("chkWholeWords"));
    lblIDText->setObjectName(QStringLiteral("lblIDText"));
    rbIDText[0]->setObjectName(QStringLiteral("rbIDText0"));
    rbIDText[1]->setObjectName(QStringLiteral("rbIDText1"));
    btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    setWindowTitle(tr("Find"));
    setAttribute(Qt::WA_DeleteOnClose);

    rbIDText[0]->setChecked(true);
    btnFindNext->setEnabled(false);
    btnFindNext->setDefault(true);
    Label1->setBuddy(FindEdit);
    FindEdit->installEventFilter(new SelectAllOnFocus(FindEdit));

    auto* conditions = new QGridLayout(Frame1);
    conditions->addWidget(chkWholeWords, 0, 0, 1, 3);
    conditions->addWidget(lblIDText, 1, 0);
    conditions->addWidget(rbIDText[0], 1, 1);
    conditions->addWidget(rbIDText[1], 1, 2);
    conditions->setColumnStretch(3, 1);

    auto* fields = new QVBoxLayout;
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(Label1);
    findRow->addWidget(FindEdit, 1);
    fields->addLayout(findRow);
    fields->addWidget(Frame1);
    fields->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnFindNext);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(FindEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { btnFindNext->setEnabled(!text.isEmpty()); });
    connect(btnFindNext, &QPushButton::clicked, this, &frmFind::btnFindNext_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::close);
    for (QRadioButton* option : rbIDText)
        connect(option, &QRadioButton::clicked, this, &frmFind::ApplyOptionRule);
}

void frmFind::ClearTag() {
    m_tag = QVariant();
}

void frmFind::ShowFind(bool modal, QWidget* owner) {
    SetIDTextVisible(false);
    ApplyOptionRule();
    Present(modal, owner);
}

void frmFind::ShowFindResEditor(bool modal, QWidget* owner) {
    SetIDTextVisible(true);
    m_resEditor = true;
    ApplyOptionRule();
    Present(modal, owner);
}

void frmFind::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}

// Every way of closing (the button, Escape, the title bar) tells the owner.
void frmFind::reject() {
    close();
}

void frmFind::closeEvent(QCloseEvent* event) {
    emit OnClose();
    event->accept();
}

void frmFind::SetIDTextVisible(bool visible) {
    lblIDText->setVisible(visible);
    rbIDText[0]->setVisible(visible);
    rbIDText[1]->setVisible(visible);
}

void frmFind::ApplyOptionRule() {
    if (m_resEditor)
        chkWholeWords->setEnabled(rbIDText[1]->isChecked());
}

void frmFind::Present(bool modal, QWidget* owner) {
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags());
    if (modal) {
        platform::RunModal(*this);
        return;
    }
    show();
    raise();
    activateWindow();
}

void frmFind::btnFindNext_Click() {
    const bool useId = rbIDText[0]->isChecked();
    const bool wholeWords = (m_resEditor && useId) || chkWholeWords->isChecked();
    QString data = FindEdit->text();
    bool found = false;
    emit OnFindNext(wholeWords, useId, data, m_tag, found);
    if (!found)
        platform::prompts().ask({tr("Find"), tr("No more occurencies found."),
                                 platform::PromptIcon::Information, platform::PromptButtons::OK, 0,
                                 this});
}
