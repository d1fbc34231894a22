#include "gamefiles/mdlZorvObjects.h"

#include "gamefiles/GameLibrary.h"
#include "gamefiles/GameText.h"

#include <QFile>
#include <QStringList>

#include <cmath>
#include <limits>

namespace mdlZorvObjects {
namespace {

constinit gamefiles::GameLibrary library("libzorvobjects.so");

namespace c {
ZORV_GAME_FUNCTION(library, Zorv_LoadFromFile);
ZORV_GAME_FUNCTION(library, Zorv_GetObjectType);
ZORV_GAME_FUNCTION(library, Zorv_EnumObjects);
ZORV_GAME_FUNCTION(library, Zorv_TXTGetHeader);
ZORV_GAME_FUNCTION(library, Zorv_TXTGetValue);
ZORV_GAME_FUNCTION(library, Zorv_TXTGetID);
ZORV_GAME_FUNCTION(library, Zorv_TXTSetValue);
ZORV_GAME_FUNCTION(library, Zorv_TXTGetSize);
ZORV_GAME_FUNCTION(library, Zorv_TXTSetSize);
ZORV_GAME_FUNCTION(library, Zorv_TXTInsertValues);
ZORV_GAME_FUNCTION(library, Zorv_TXTRemoveValues);
ZORV_GAME_FUNCTION(library, Zorv_TXTGetIndex);
ZORV_GAME_FUNCTION(library, Zorv_TXTCopyObject);
ZORV_GAME_FUNCTION(library, Zorv_IsDirty);
ZORV_GAME_FUNCTION(library, Zorv_CreateObject);
ZORV_GAME_FUNCTION(library, Zorv_DeleteHandle);
ZORV_GAME_FUNCTION(library, Zorv_SaveToFile);
ZORV_GAME_FUNCTION(library, Zorv_DecodeXMLFile);
ZORV_GAME_FUNCTION(library, Zorv_EncodeXMLFile);
ZORV_GAME_FUNCTION(library, Zorv_CommandLineToArgV);
ZORV_GAME_FUNCTION(library, Zorv_VariantClear);
ZORV_GAME_FUNCTION(library, Zorv_GetLastError);
ZORV_GAME_FUNCTION(library, Zorv_TranslateError);
ZORV_GAME_FUNCTION(library, Zorv_Version);
} // namespace c

QStringList TextList(const ZorvVariant& value) {
    QStringList items;
    if (value.type == ZORV_VT_TEXT_LIST)
        for (int32_t i = 0; i < value.count; ++i)
            items << gamefiles::DecodeText(QByteArray(value.items[i]));
    return items;
}

QVariant ToQVariant(const ZorvVariant& value) {
    switch (value.type) {
    case ZORV_VT_INT:
        return value.intValue;
    case ZORV_VT_DOUBLE:
        return value.doubleValue;
    case ZORV_VT_TEXT:
        return QByteArray(value.text, value.length);
    case ZORV_VT_TEXT_LIST:
        return TextList(value);
    default:
        return {};
    }
}

// Converts a value the library filled and gives its memory back.
template <class Convert> auto Take(ZorvVariant& value, Convert convert) {
    auto converted = convert(value);
    c::Zorv_VariantClear(&value);
    return converted;
}

// A value passed to the library; it only reads it during the call.
class InValue {
public:
    explicit InValue(const QVariant& value) {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            setNumber(value.toDouble(), false);
            break;
        case QMetaType::Bool:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            setNumber(value.toDouble(), true);
            break;
        case QMetaType::QByteArray:
            setText(value.toByteArray());
            break;
        default:
            setText(gamefiles::EncodeText(value.toString()));
            break;
        }
    }

    const ZorvVariant* get() const { return &m_value; }

private:
    // Whole numbers that fit 32 bits cross as integers, others as doubles.
    void setNumber(double number, bool whole) {
        if (whole && number >= std::numeric_limits<int32_t>::min() &&
            number <= std::numeric_limits<int32_t>::max()) {
            m_value.type = ZORV_VT_INT;
            m_value.intValue = static_cast<int32_t>(number);
        } else {
            m_value.type = ZORV_VT_DOUBLE;
            m_value.doubleValue = number;
        }
    }

    void setText(QByteArray bytes) {
        m_bytes = std::move(bytes);
        m_value.type = ZORV_VT_TEXT;
        m_value.text = m_bytes.data();
        m_value.length = static_cast<int32_t>(m_bytes.size());
    }

    ZorvVariant m_value{};
    QByteArray m_bytes;
};

} // namespace

int32_t Zorv_LoadFromFile(int32_t file, int32_t flags) {
    return c::Zorv_LoadFromFile(file, flags);
}

int32_t Zorv_GetObjectType(int32_t store) {
    return c::Zorv_GetObjectType(store);
}

int32_t Zorv_EnumObjects(int32_t store, int32_t* array, int32_t length, int32_t* count) {
    return c::Zorv_EnumObjects(store, array, length, count);
}

int32_t Zorv_TXTGetHeader(int32_t store, ZorvTXTHeader& header) {
    return c::Zorv_TXTGetHeader(store, &header);
}

int32_t Zorv_TXTGetValue(int32_t object, int32_t index, QVariant& value) {
    ZorvVariant out{};
    const int32_t result = c::Zorv_TXTGetValue(object, index, &out);
    value = Take(out, ToQVariant);
    return result;
}

int32_t Zorv_TXTGetID(int32_t object, QVariant& value) {
    ZorvVariant out{};
    const int32_t result = c::Zorv_TXTGetID(object, &out);
    value = Take(out, ToQVariant);
    return result;
}

int32_t Zorv_TXTSetValue(int32_t object, int32_t index, const QVariant& value) {
    const InValue in(value);
    return c::Zorv_TXTSetValue(object, index, in.get());
}

int32_t Zorv_TXTGetSize(int32_t object) {
    return c::Zorv_TXTGetSize(object);
}

int32_t Zorv_TXTSetSize(int32_t object, int32_t count) {
    return c::Zorv_TXTSetSize(object, count);
}

int32_t Zorv_TXTInsertValues(int32_t object, int32_t index, int32_t count) {
    return c::Zorv_TXTInsertValues(object, index, count);
}

int32_t Zorv_TXTRemoveValues(int32_t object, int32_t index, int32_t count) {
    return c::Zorv_TXTRemoveValues(object, index, count);
}

int32_t Zorv_TXTGetIndex(int32_t object) {
    return c::Zorv_TXTGetIndex(object);
}

int32_t Zorv_TXTCopyObject(int32_t destination, int32_t source) {
    return c::Zorv_TXTCopyObject(destination, source);
}

int32_t Zorv_IsDirty(int32_t object) {
    return c::Zorv_IsDirty(object);
}

int32_t Zorv_CreateObject(int32_t store, int32_t flags, int32_t before) {
    return c::Zorv_CreateObject(store, flags, before);
}

int32_t Zorv_DeleteHandle(int32_t handle) {
    return c::Zorv_DeleteHandle(handle);
}

int32_t Zorv_SaveToFile(int32_t file, int32_t store) {
    return c::Zorv_SaveToFile(file, store);
}

LibraryText::LibraryText(LibraryText&& other) noexcept : m_value(other.m_value) {
    other.m_value = ZorvVariant{};
}

LibraryText& LibraryText::operator=(LibraryText&& other) noexcept {
    if (this != &other) {
        clear();
        m_value = other.m_value;
        other.m_value = ZorvVariant{};
    }
    return *this;
}

LibraryText::~LibraryText() {
    clear();
}

char* LibraryText::data() const {
    return m_value.type == ZORV_VT_TEXT ? m_value.text : nullptr;
}

qsizetype LibraryText::size() const {
    return m_value.type == ZORV_VT_TEXT ? m_value.length : 0;
}

void LibraryText::clear() {
    if (m_value.type != ZORV_VT_EMPTY)
        c::Zorv_VariantClear(&m_value);
    m_value = ZorvVariant{};
}

int32_t Zorv_DecodeXMLFile(const QString& path, LibraryText& text) {
    text.clear();
    return c::Zorv_DecodeXMLFile(QFile::encodeName(path).constData(), &text.m_value);
}

int32_t Zorv_EncodeXMLFile(const QString& path, const QVariant& text, int32_t fileType) {
    const InValue in(text);
    return c::Zorv_EncodeXMLFile(QFile::encodeName(path).constData(), in.get(), fileType);
}

int32_t Zorv_CommandLineToArgV(const QString& commandLine, QVariant& arguments) {
    ZorvVariant out{};
    const int32_t result =
        c::Zorv_CommandLineToArgV(gamefiles::EncodeText(commandLine).constData(), &out);
    arguments = Take(out, TextList);
    return result;
}

int32_t Zorv_GetLastError() {
    return c::Zorv_GetLastError();
}

int32_t Zorv_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed) {
    return c::Zorv_TranslateError(code, buffer, size, needed);
}

QString Zorv_Version() {
    int32_t parts[4] = {};
    c::Zorv_Version(parts);
    return gamefiles::VersionText(parts);
}

QString GetLastErrorText() {
    return gamefiles::LastErrorText(c::Zorv_GetLastError, c::Zorv_TranslateError);
}

} // namespace mdlZorvObjects
