// A node of the Ruvaze Rezivo's tree that shows a map object. Its label is
// kept as its parts, shared with the nodes of objects of its kind, and its
// key, ID, icon and grey text (for a sector not read yet) are answered from
// the object's ID, its icon key and a flag instead of being stored as item
// data: a tree of a whole map makes and relabels tens of thousands of nodes.
//
// A placeholder stands under a node whose children are not read yet; it reads
// "not loaded", has no ID and no icon, and its key is its number followed by
// "dummy". When the children are read it becomes the node of the first:
// taking it out of the tree would cost a walk over every node the view keeps
// expanded.
#pragma once

#include "galaxy/widgets/GalaxyTreeRules.h"

#include <QStringView>
#include <QTreeWidgetItem>

#include <cstdint>
#include <utility>

class GalaxyTreeNode : public QTreeWidgetItem {
public:
    // The item type of these nodes and placeholders.
    static constexpr int kType = QTreeWidgetItem::UserType;

    // The icon key names the node's icon, as in GalaxyIcons.
    GalaxyTreeNode(int32_t id, GalaxyTreeRules::Label label, QString iconKey, bool grey)
        : QTreeWidgetItem(kType), m_id(id), m_label(std::move(label)),
          m_iconKey(std::move(iconKey)), m_grey(grey) {}

    static GalaxyTreeNode* Placeholder(int32_t number);
    static QString PlaceholderKey(int32_t number);
    // The number in a placeholder's key; 0 for any other key.
    static int32_t PlaceholderNumber(QStringView key);
    bool IsPlaceholder() const { return m_id < 0; }
    int32_t Number() const { return -m_id; }
    // The placeholder made the node of an object, the view told once.
    void BecomeNode(int32_t id, const GalaxyTreeRules::Label& label, QString iconKey, bool grey);

    int32_t Id() const { return m_id; }
    // Label, icon and grey text, the view told once when one of them changed.
    void SetLook(const GalaxyTreeRules::Label& label, const QString& iconKey, bool grey);
    bool Grey() const { return m_grey; }
    // Sets the label without telling the view; true when it changed. A
    // relabelling of the whole tree tells the view once, at its end.
    bool SetLabel(const GalaxyTreeRules::Label& label);
    // Asks for the memory SetLabel works on, ahead of relabelling nodes
    // that lie far apart in memory.
    void PrefetchLabel() const { __builtin_prefetch(&m_label, 1); }

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;
    QTreeWidgetItem* clone() const override;

private:
    int32_t m_id;
    GalaxyTreeRules::Label m_label;
    QString m_iconKey;
    bool m_grey;
};
