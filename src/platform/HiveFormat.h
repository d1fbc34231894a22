// The text form of one registry hive (docs/formats.md, "Registry hives").
#pragma once

#include "platform/KeyedCollection.h"
#include "platform/Registry.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace platform {

struct HiveNode {
    KeyedCollection<RegValue> values;
    KeyedCollection<HiveNode> keys;
};

struct HiveParse {
    std::shared_ptr<HiveNode> root; // null when the text is not a hive
    QString error;                  // why not, with the line number
};

HiveParse parseHive(const QByteArray& bytes);
QByteArray serializeHive(const HiveNode& root);

// A name that a key may carry: not empty, no "\" and no control character.
bool isValidKeyName(const QString& name);

// Keys nest at most this deep below a hive's root, so that no file can hold
// a tree too deep to walk.
constexpr qsizetype kMaxKeyDepth = 512;

} // namespace platform
