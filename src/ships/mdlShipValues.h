// How the ship model reads stored values as numbers, and its errors. A text
// value, or a number outside the target type, raises the model's error so a
// corrupt line is reported instead of read as a wrong number.
#pragma once

#include "platform/KeyedCollection.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

namespace mdlShipValues {

// The model's error number, 0x80040064.
int32_t ModelError();

// Raises the model's error with the given source and description.
[[noreturn]] void Raise(const QString& source, const QString& description);

// An empty value (a field outside the line) reads 0. Whole numbers round
// halves to even.
double ToDouble(const QVariant& value, int32_t field, const QString& source);
int32_t ToLong(const QVariant& value, int32_t field, const QString& source);
float ToSingle(const QVariant& value, int32_t field, const QString& source);

// Appends under the key; a key already there raises the collection's
// duplicate-key error.
template <class T>
void AddUnique(platform::KeyedCollection<T>& collection, std::shared_ptr<T> item,
               const QString& key, const QString& source) {
    if (!collection.add(std::move(item), key))
        Raise(source,
              QStringLiteral("This key is already associated with an element of this collection."));
}

// A 64-bit intermediate brought back into a field, saturating at the 32-bit
// bounds (only sums of absurd counts reach them).
int32_t Saturate(int64_t value);

} // namespace mdlShipValues
