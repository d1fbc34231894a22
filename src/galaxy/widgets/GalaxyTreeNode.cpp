#include "galaxy/widgets/GalaxyTreeNode.h"

#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/GalaxyIcons.h"
#include "platform/CollectionKey.h"

#include <QBrush>
#include <QIcon>

using GalaxyEditorRoles::kIconRole;
using GalaxyEditorRoles::kIdRole;
using GalaxyEditorRoles::kKeyRole;

namespace {

constexpr QStringView kPlaceholderSuffix = u"dummy";

// A label of one given text, the node's own.
GalaxyTreeRules::Label OwnLabel(QString text) {
    return std::make_shared<const GalaxyTreeRules::LabelParts>(
        GalaxyTreeRules::LabelParts::Of(std::move(text)));
}

} // namespace

GalaxyTreeNode* GalaxyTreeNode::Placeholder(int32_t number) {
    static const GalaxyTreeRules::Label label = OwnLabel(QStringLiteral("not loaded"));
    return new GalaxyTreeNode(-number, label, QString(), false);
}

QString GalaxyTreeNode::PlaceholderKey(int32_t number) {
    return QString::number(number).append(kPlaceholderSuffix);
}

int32_t GalaxyTreeNode::PlaceholderNumber(QStringView key) {
    if (!key.endsWith(kPlaceholderSuffix))
        return 0;
    bool isNumber = false;
    const int32_t number = key.chopped(kPlaceholderSuffix.size()).toInt(&isNumber);
    return isNumber && number > 0 && PlaceholderKey(number) == key ? number : 0;
}

void GalaxyTreeNode::BecomeNode(int32_t id, const GalaxyTreeRules::Label& label, QString iconKey,
                                bool grey) {
    m_id = id;
    m_label = label;
    m_iconKey = std::move(iconKey);
    m_grey = grey;
    emitDataChanged();
}

void GalaxyTreeNode::SetLook(const GalaxyTreeRules::Label& label, const QString& iconKey,
                             bool grey) {
    bool changed = SetLabel(label);
    if (iconKey != m_iconKey) {
        m_iconKey = iconKey;
        changed = true;
    }
    if (grey != m_grey) {
        m_grey = grey;
        changed = true;
    }
    if (changed)
        emitDataChanged();
}

// A label of the same parts is kept, so the nodes whose labels stay as they
// were cost no count of shares.
bool GalaxyTreeNode::SetLabel(const GalaxyTreeRules::Label& label) {
    if (label == m_label || *label == *m_label)
        return false;
    m_label = label;
    return true;
}

QVariant GalaxyTreeNode::data(int column, int role) const {
    if (column == 0 && IsPlaceholder()) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_label->Joined();
        if (role == kKeyRole)
            return PlaceholderKey(Number());
    } else if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_label->Joined();
        case kKeyRole:
            return platform::CollectionKey(m_id).toString();
        case kIdRole:
            return m_id;
        case kIconRole:
            return m_iconKey;
        case Qt::DecorationRole:
            return GalaxyIcons::Icon(m_iconKey);
        case Qt::ForegroundRole:
            if (m_grey) {
                static const QBrush grey(QColor(129, 123, 124));
                return grey;
            }
            break;
        default:
            break;
        }
    }
    return QTreeWidgetItem::data(column, role);
}

void GalaxyTreeNode::setData(int column, int role, const QVariant& value) {
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        if (SetLabel(OwnLabel(value.toString())))
            emitDataChanged();
    } else if (column == 0 && role == kIconRole) {
        SetLook(m_label, value.toString(), m_grey);
    } else if (column == 0 && role == kIdRole) {
        m_id = value.toInt();
    } else if (column != 0 || role != kKeyRole) {
        QTreeWidgetItem::setData(column, role, value);
    }
}

QTreeWidgetItem* GalaxyTreeNode::clone() const {
    auto* copy = new GalaxyTreeNode(m_id, m_label, m_iconKey, m_grey);
    *static_cast<QTreeWidgetItem*>(copy) = *this;
    return copy;
}
