// Bindings of the object store library (loaded and bound as mdlZorvFD).
// Values are QVariant: int, double, or QByteArray for text (the 8-bit bytes
// as stored, so an unedited text is written back unchanged); an empty
// QVariant is the empty value.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>

#include "zorvobjects.h"

namespace mdlZorvObjects {

int32_t Zorv_LoadFromFile(int32_t file, int32_t flags);
int32_t Zorv_GetObjectType(int32_t store);
int32_t Zorv_EnumObjects(int32_t store, int32_t* array, int32_t length, int32_t* count);
int32_t Zorv_TXTGetHeader(int32_t store, ZorvTXTHeader& header);
int32_t Zorv_TXTGetValue(int32_t object, int32_t index, QVariant& value);
// The line's ID string (its last value) in one call.
int32_t Zorv_TXTGetID(int32_t object, QVariant& value);
int32_t Zorv_TXTSetValue(int32_t object, int32_t index, const QVariant& value);
int32_t Zorv_TXTGetSize(int32_t object);
int32_t Zorv_TXTSetSize(int32_t object, int32_t count);
int32_t Zorv_TXTInsertValues(int32_t object, int32_t index, int32_t count);
int32_t Zorv_TXTRemoveValues(int32_t object, int32_t index, int32_t count);
int32_t Zorv_TXTGetIndex(int32_t object);
int32_t Zorv_TXTCopyObject(int32_t destination, int32_t source);
int32_t Zorv_IsDirty(int32_t object);
int32_t Zorv_CreateObject(int32_t store, int32_t flags, int32_t before);
int32_t Zorv_DeleteHandle(int32_t handle);
int32_t Zorv_SaveToFile(int32_t file, int32_t store);
// A document's bytes in the library's own memory, given back to it when this
// goes: a reader may parse them where they lie rather than copy them.
class LibraryText {
public:
    LibraryText() = default;
    LibraryText(LibraryText&& other) noexcept;
    LibraryText& operator=(LibraryText&& other) noexcept;
    ~LibraryText();

    // Null and 0 while nothing is held.
    char* data() const;
    qsizetype size() const;

private:
    friend int32_t Zorv_DecodeXMLFile(const QString& path, LibraryText& text);
    void clear();

    ZorvVariant m_value{};
};

// text receives the whole document; it holds nothing after a failure.
int32_t Zorv_DecodeXMLFile(const QString& path, LibraryText& text);
// text holds the document as QByteArray (a QString is written as UTF-8).
int32_t Zorv_EncodeXMLFile(const QString& path, const QVariant& text, int32_t fileType);
// arguments receives a QStringList.
int32_t Zorv_CommandLineToArgV(const QString& commandLine, QVariant& arguments);
int32_t Zorv_GetLastError();
int32_t Zorv_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed);
QString Zorv_Version();

QString GetLastErrorText();

} // namespace mdlZorvObjects
