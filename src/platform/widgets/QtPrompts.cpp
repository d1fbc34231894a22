#include "platform/widgets/QtPrompts.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QWidget* ownerWidget(QObject* owner) {
    return qobject_cast<QWidget*>(owner);
}

// The chosen name filter's position from 1, 0 for none. A chooser that shows
// the filters without their patterns may give the description alone.
int filterPosition(const QStringList& filters, const QString& chosen) {
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString shown = filters[i].left(filters[i].lastIndexOf(u'(')).simplified();
        if (filters[i] == chosen || shown == chosen)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton boxButton(PromptAnswer answer) {
    switch (answer) {
    case PromptAnswer::OK:
        return QMessageBox::Ok;
    case PromptAnswer::Cancel:
        return QMessageBox::Cancel;
    case PromptAnswer::Abort:
        return QMessageBox::Abort;
    case PromptAnswer::Retry:
        return QMessageBox::Retry;
    case PromptAnswer::Ignore:
        return QMessageBox::Ignore;
    case PromptAnswer::Yes:
        return QMessageBox::Yes;
    case PromptAnswer::No:
        return QMessageBox::No;
    case PromptAnswer::None:
        break;
    }
    return QMessageBox::NoButton;
}

} // namespace

PromptAnswer QtPrompts::ask(const Message& message) {
    QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                    ownerWidget(message.owner));
    const QList<PromptAnswer> answers = buttonAnswers(message.buttons);
    for (const PromptAnswer answer : answers)
        box.addButton(boxButton(answer));
    box.setDefaultButton(boxButton(answers.value(message.defaultButton, answers.first())));
    const int pressed = box.exec();
    for (const PromptAnswer answer : answers)
        if (boxButton(answer) == pressed)
            return answer;
    // Closed without a button: the box's escape answer.
    return answers.contains(PromptAnswer::Cancel) ? PromptAnswer::Cancel : answers.last();
}

bool QtPrompts::chooseFile(FileChoice& choice) {
    const QStringList filters = nameFilters(choice.filter);
    QFileDialog dialog(ownerWidget(choice.owner), choice.title);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The descriptions name their patterns already; the chooser shows them as written.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    if (choice.filterIndex >= 1 && choice.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[choice.filterIndex - 1]);
    if (!choice.initDir.isEmpty())
        dialog.setDirectory(choice.initDir);
    if (!choice.fileName.isEmpty())
        dialog.selectFile(choice.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    choice.fileName = QDir::toNativeSeparators(dialog.selectedFiles().first());
    choice.filterIndex = filterPosition(filters, dialog.selectedNameFilter());
    return true;
}

QString QtPrompts::chooseFolder(QObject* owner, const QString& title) {
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(
        ownerWidget(owner), title, QString(), QFileDialog::ShowDirsOnly));
}

std::optional<int32_t> QtPrompts::chooseColor(QObject* owner, int32_t initial) {
    const QColor chosen =
        QColorDialog::getColor(QColor::fromRgb(static_cast<QRgb>(initial)), ownerWidget(owner));
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<int32_t>(chosen.rgb() & 0xFFFFFF);
}

} // namespace platform
