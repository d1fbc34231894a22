// What the Ruvaze Rezivo's tree shows and allows, apart from the widgets:
// node labels, icon keys, where a dragged object may be dropped and how the
// find window matches a node.
#pragma once

#include "galaxy/clsGalaxyObject.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>

class clsGalaxyParser;

namespace GalaxyTreeRules {

// Label bits of the "Names" option: 1 name, 2 class (type name), 4 ID.
constexpr int32_t kShowName = 1;
constexpr int32_t kShowClass = 2;
constexpr int32_t kShowID = 4;

// A node label as its parts, each empty when its bit is off. The parts are
// the texts the model hands out, shared with it, so a node keeping its label
// this way holds no text of its own; the label is joined when it is shown.
struct LabelParts {
    QString type;
    QString id;
    QString name;
    bool showClass = false;

    // A label of one given text.
    static LabelParts Of(QString text);
    bool operator==(const LabelParts& other) const = default;
    // "[type] - ID - name", empty parts left out ("[]" stays).
    QString Joined() const;
};

// A label that nodes share.
using Label = std::shared_ptr<const LabelParts>;

LabelParts NodeLabel(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object, int32_t filter);

// The labels of a tree's nodes. Inside a TextBatch the label of an object
// named by its type and subtype is made once for each of them and filter
// and shared by their nodes: a map holds thousands of ships, wares and
// asteroids of a few kinds.
class NodeLabels {
public:
    // NodeLabel's label; the reference holds until the next call.
    const Label& Of(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object, int32_t filter);

private:
    QHash<quint64, Label> m_kept;
    // What the kept labels were made for.
    const clsGalaxyParser* m_document = nullptr;
    quint64 m_generation = 0;
    int32_t m_filter = 0;
    Label m_made;
};

// The icon of an object; "" for none.
QString ImageKey(const clsGalaxyObject& object);
// "movesiblink", "moveparent" or "nop" for a drag of one object over another.
QString DragIconKey(const clsGalaxyObject::Ptr& dragged, const clsGalaxyObject::Ptr& target,
                    bool asChild);
// Whole words: the same text; else the text inside it; letter case ignored.
bool TextMatches(const QString& nodeText, const QString& text, bool wholeWords);

} // namespace GalaxyTreeRules
