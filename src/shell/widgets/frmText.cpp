#include "shell/widgets/frmText.h"

#include "platform/widgets/DialogRunner.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

frmText::frmText(QWidget* parent)
    : QDialog(parent), txt(new QPlainTextEdit(this)), btnOK(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("frmText"));
    txt->setObjectName(QStringLiteral("txt"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    txt->setReadOnly(true);
    txt->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txt);
    layout->addLayout(buttons);
    resize(7000 / 15, 5000 / 15);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::close);
}

void frmText::MyShow(const QString& caption, bool modal, QWidget* owner) {
    setWindowTitle(caption);
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags());
    if (modal) {
        platform::RunModal(*this);
        return;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    show();
    raise();
    activateWindow();
}

QString frmText::Text() const {
    return txt->toPlainText();
}

void frmText::SetText(const QString& text) {
    txt->setPlainText(text);
}

void frmText::AddText(const QString& text) {
    QTextCursor cursor(txt->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}
