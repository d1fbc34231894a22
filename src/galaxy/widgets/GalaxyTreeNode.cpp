#include "galaxy/widgets/GalaxyTreeNode.h"

#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/GalaxyIcons.h"
#include "platform/CollectionKey.h"

#include <QIcon>

using GalaxyEditorRoles::kIconRole;
using GalaxyEditorRoles::kIdRole;
using GalaxyEditorRoles::kKeyRole;

GalaxyTreeNode* GalaxyTreeNode::Placeholder(int32_t number, QString text) {
    return new GalaxyTreeNode(-number, GalaxyTreeRules::LabelParts::Of(std::move(text)), QString());
}

QString GalaxyTreeNode::PlaceholderKey(int32_t number) {
    return QString::number(number) + QStringLiteral("dummy");
}

void GalaxyTreeNode::BecomeNode(int32_t id, GalaxyTreeRules::LabelParts label, QString iconKey) {
    m_id = id;
    m_label = std::move(label);
    m_iconKey = std::move(iconKey);
    emitDataChanged();
}

void GalaxyTreeNode::SetIconKey(const QString& key) {
    if (key == m_iconKey)
        return;
    m_iconKey = key;
    emitDataChanged();
}

bool GalaxyTreeNode::SetLabel(GalaxyTreeRules::LabelParts label) {
    if (label == m_label)
        return false;
    m_label = std::move(label);
    return true;
}

QVariant GalaxyTreeNode::data(int column, int role) const {
    if (column == 0 && IsPlaceholder()) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_label.Joined();
        if (role == kKeyRole)
            return PlaceholderKey(-m_id);
    } else if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_label.Joined();
        case kKeyRole:
            return platform::CollectionKey(m_id).toString();
        case kIdRole:
            return m_id;
        case kIconRole:
            return m_iconKey;
        case Qt::DecorationRole:
            return GalaxyIcons::Icon(m_iconKey);
        default:
            break;
        }
    }
    return QTreeWidgetItem::data(column, role);
}

void GalaxyTreeNode::setData(int column, int role, const QVariant& value) {
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        if (SetLabel(GalaxyTreeRules::LabelParts::Of(value.toString())))
            emitDataChanged();
    } else if (column == 0 && role == kIconRole)
        SetIconKey(value.toString());
    else if (column == 0 && role == kIdRole)
        m_id = value.toInt();
    else if (column != 0 || role != kKeyRole)
        QTreeWidgetItem::setData(column, role, value);
}

QTreeWidgetItem* GalaxyTreeNode::clone() const {
    auto* copy = new GalaxyTreeNode(m_id, m_label, m_iconKey);
    *static_cast<QTreeWidgetItem*>(copy) = *this;
    return copy;
}
