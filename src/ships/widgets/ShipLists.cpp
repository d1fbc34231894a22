#include "ships/widgets/ShipLists.h"

#include "resources/clsDescServer.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"
#include "tfiles/clsTxtParser.h"

#include <QHeaderView>

namespace ShipLists {

QTreeWidget* NewList(QWidget* parent, const QString& name, const QStringList& columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setHeaderLabels(columns);
    return list;
}

QTreeWidget* NewValueList(QWidget* parent, const QString& name) {
    QTreeWidget* list =
        NewList(parent, name,
                {QStringLiteral("Name"), QStringLiteral("Value"), QStringLiteral("[offset]")});
    list->header()->resizeSection(0, 200);
    list->header()->resizeSection(1, 220);
    return list;
}

void AddKeyedRow(QTreeWidget* list, const QStringList& texts, const QString& key,
                 const QVariant& tag) {
    auto* row = new QTreeWidgetItem(list, texts);
    row->setData(0, mdlComFunctions::kItemKeyRole, key);
    row->setData(0, mdlCommon::kRowTagRole, tag);
}

QString RowKey(const QTreeWidgetItem* row) {
    return row ? row->data(0, mdlComFunctions::kItemKeyRole).toString() : QString();
}

ShipValues::Lookups DescLookups(const clsTxtParser* shields, const clsTxtParser* missiles) {
    constexpr int32_t kNamePage = 17;
    return {shields, missiles, [](int32_t id) -> std::optional<QString> {
                const auto text = DescServer().GetString(kNamePage, id);
                return text ? std::optional<QString>(text->Text()) : std::nullopt;
            }};
}

} // namespace ShipLists
