#include "common/widgets/mdlCommonWidgets.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "platform/HelpPages.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QTreeWidget>

namespace mdlCommon {
namespace {

void AddRows(QTreeWidget* list, const QList<ListRow>& rows) {
    for (const ListRow& row : rows)
        AddListRow(list, row.caption, row.value, row.tag, row.third);
}

} // namespace

int GetSelectedIndex(const QTreeWidget* list) {
    if (!list)
        return -1;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected())
            return i + 1;
    }
    return -1;
}

bool SelectListIndex(QTreeWidget* list, int index) {
    if (!list)
        return false;
    QTreeWidgetItem* row = list->topLevelItem(index - 1);
    if (index < 1 || !row) {
        list->clearSelection();
        return false;
    }
    list->setCurrentItem(row);
    list->scrollToItem(row);
    return true;
}

void AddListRow(QTreeWidget* list, const QString& caption, const QString& value,
                const QVariant& tag, const QString& third) {
    if (!list)
        return;
    auto* row = new QTreeWidgetItem(list, {caption, value, third});
    row->setData(0, kRowTagRole, tag);
}

void AddWarePriceRows(QTreeWidget* list, const clsTXTObject& object, int32_t index) {
    AddRows(list, {WarePriceRow(object, index)});
}

void AddCommonHeadRows(QTreeWidget* list, const clsTXTObject& object) {
    AddRows(list, CommonHeadRows(object));
}

void AddCommonTailRows(QTreeWidget* list, const clsTXTObject& object) {
    AddRows(list, CommonTailRows(object));
}

void FillComboFromArray(QComboBox* combo, const platform::BoundedArray<QString>& table) {
    if (!combo)
        return;
    combo->clear();
    for (int32_t i = table.lower(); i <= table.upper(); ++i)
        combo->addItem(table[i], i);
}

void ShowHelp(const QString& topic) {
    QDesktopServices::openUrl(platform::HelpPageUrl(Settings().HelpPath(), topic));
}

void ShowInvalidNumber(QWidget* owner, const QString& fieldName) {
    QString text =
        QStringLiteral("Entered value is incorrect. It must be whole or decimal number.");
    if (!fieldName.isEmpty())
        text.prepend(fieldName + QStringLiteral(": "));
    platform::WindowPrompts(platform::kProgramTitle, owner)
        .tell(text, platform::PromptIcon::Exclamation);
}

} // namespace mdlCommon
