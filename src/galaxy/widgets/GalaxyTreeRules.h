// What the Ruvaze Rezivo's tree shows and allows, apart from the widgets:
// node labels, icon keys, where a dragged object may be dropped and how the
// find window matches a node.
#pragma once

#include "galaxy/clsGalaxyObject.h"

#include <QString>

#include <cstdint>

class clsGalaxyParser;

namespace GalaxyTreeRules {

// Label bits of the "Names" option: 1 name, 2 class (type name), 4 ID.
constexpr int32_t kShowName = 1;
constexpr int32_t kShowClass = 2;
constexpr int32_t kShowID = 4;

// "[type] - ID - name", each part by its bit, empty parts left out.
QString NodeLabel(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object, int32_t filter);
// The icon of an object; "" for none.
QString ImageKey(const clsGalaxyObject& object);
// "movesiblink", "moveparent" or "nop" for a drag of one object over another.
QString DragIconKey(const clsGalaxyObject::Ptr& dragged, const clsGalaxyObject::Ptr& target,
                    bool asChild);
// Whole words: the same text; else the text inside it; letter case ignored.
bool TextMatches(const QString& nodeText, const QString& text, bool wholeWords);

} // namespace GalaxyTreeRules
