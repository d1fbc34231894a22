// A node of the Ruvaze Rezivo's tree that shows a map object. Its label is
// kept in a plain member and its key, ID and icon are answered from the
// object's ID and icon key instead of being stored as item data: a tree of a
// whole map makes and relabels tens of thousands of nodes.
#pragma once

#include <QTreeWidgetItem>

#include <cstdint>

class GalaxyTreeNode : public QTreeWidgetItem {
public:
    explicit GalaxyTreeNode(int32_t id) : m_id(id) {}

    // The icon key names the node's icon, as in GalaxyIcons.
    void SetIconKey(const QString& key);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;
    QTreeWidgetItem* clone() const override;

private:
    int32_t m_id;
    QString m_label;
    QString m_iconKey;
};
