// Small stateless helpers every subsystem uses: parts of paths, text
// replacement, bits and words, colours and hexadecimal text, look-ups that
// give nothing instead of failing, registry values, versions. The helpers
// that work on widgets are in shell/widgets/mdlComFunctionsWidgets.h.
//
// Path helpers (platform/PathParts.h) take "\" and "/" alike as separators
// and never touch the file system. Text positions are 1-based where a helper
// returns one.
#pragma once

#include "platform/BoundedArray.h"
#include "platform/KeyedCollection.h"
#include "platform/PathParts.h"
#include "platform/Registry.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>

class QMimeData;
class QObject;

namespace mdlComFunctions {

// Paths (kept below every library, in platform/PathParts.h).
using platform::BuildPath;
using platform::EnsureExtension;
using platform::GetFileDir;
using platform::GetFileExt;
using platform::GetFileName;
using platform::GetFileTitle;
using platform::GetPathDrive;

// Texts.
QString TrimNull(const QString& text);
int32_t ReplaceAll(QString& text, const QString& find, const QString& replacement,
                   Qt::CaseSensitivity compare = Qt::CaseSensitive);
QString AppendWithSeparator(QString& text, const QString& item, const QString& separator);
QString PluralForm(int32_t count, const QString& one, const QString& few, const QString& many);

// Numbers and bits. Inc and Dec throw platform::ZorvError (6, "Overflow")
// when the result leaves the 32-bit range.
int32_t Inc(int32_t& number, int32_t step = 1);
void Dec(int32_t& number, int32_t step = 1);
bool IsBitSet(int32_t value, int32_t bit);
int32_t SetBit(int32_t value, int32_t bit);
int32_t ClearBit(int32_t value, int32_t bit);
int32_t HiWord(int32_t value);
int32_t LoWord(int32_t value);
int32_t BoolToLong(bool flag);
bool LongToBool(int32_t number);
bool IsEven(int32_t number);
// A number typed in the C locale; nothing for anything else.
std::optional<double> TextNumber(const QString& text);
// The number rounded half to even; nothing outside the 32-bit range.
std::optional<int32_t> WholeNumber(double number);

// Colours and hexadecimal text; byte 0 is the low byte of a colour.
int32_t GetColorByte0(int32_t value);
int32_t GetColorByte1(int32_t value);
int32_t GetColorByte2(int32_t value);
int32_t RGBToBGR(int32_t color);
int32_t BGRToRGB(int32_t color);
QString ColorToHex(int32_t value, int32_t width);
int32_t HexToLong(const QString& text);
bool IsHexText(const QString& text);

// Keyed collections: a missing key gives nothing, never an error.
template <class T>
std::shared_ptr<T> GetCollectionItem(const platform::KeyedCollection<T>& collection,
                                     const QString& key) {
    return collection.find(key);
}
template <class T>
bool AddToCollection(platform::KeyedCollection<T>& collection, std::shared_ptr<T> item,
                     const QString& key) {
    return collection.add(std::move(item), key);
}
template <class T>
bool AddToCollectionByNumber(platform::KeyedCollection<T>& collection, const T& value,
                             const QString& key) {
    return collection.add(std::make_shared<T>(value), key);
}
template <class T>
bool RemoveFromCollection(platform::KeyedCollection<T>& collection, const QString& key) {
    return collection.remove(key);
}
template <class T>
bool RemoveFromCollection(platform::KeyedCollection<T>& collection, int position) {
    return collection.removeAt(position);
}

// The number of elements and, when asked, the bounds; an empty table or a
// value that is not a list gives 0 with both bounds -1.
template <class T>
int32_t ArrayCount(const platform::BoundedArray<T>& array, int32_t* lower = nullptr,
                   int32_t* upper = nullptr) {
    if (lower)
        *lower = array.isEmpty() ? -1 : array.lower();
    if (upper)
        *upper = array.isEmpty() ? -1 : array.upper();
    return array.count();
}
int32_t ArrayCount(const QVariant& array, int32_t* lower = nullptr, int32_t* upper = nullptr);

// Registry values under a key the caller opened. Types are platform::REG_SZ
// and platform::REG_DWORD; a value of the other type counts as missing.
bool RegSetValue(const platform::RegKey& key, const QString& name, const QVariant& value);
bool RegQueryValue(const platform::RegKey& key, const QString& name, int32_t type, QVariant& value,
                   const QVariant& defaultValue = QVariant());

// A folder chosen by the person; "" when cancelled.
QString BrowseForFolder(QObject* owner, const QString& title);
bool HasDroppedFiles(const QMimeData* data);
bool PointInRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x, int32_t y);

// System and versions.
QString GetTempDir();
// The four parts of a file version from its two 32-bit words, each part an
// unsigned 16-bit number.
QString FileVersionText(uint32_t mostSignificant, uint32_t leastSignificant);
// The version of one of the game libraries in the program's folder; "" for
// any other file.
QString GetFileVersion(const QString& path);
// name ("zorvfd.dll", "libzorvfd.so" ...) becomes the library's full path.
QString GetModuleVersion(QString& name);
QString GetAppVersion();

} // namespace mdlComFunctions
