// Exported calls on single T-file lines.
#include "ApiSupport.h"
#include "Variant.h"
#include "zorvobjects.h"

#include <cmath>
#include <cstdint>

using namespace zorvstore;

namespace {

bool checkIndex(const char* function, const TFileLine& line, int32_t index) {
    if (index >= 0 && index < line.size())
        return true;
    fail(function, kBadIndex,
         "value index " + std::to_string(index) + " is outside " + describeLine(line) + " (" +
             std::to_string(line.size()) + " values)");
    return false;
}

// Value counts and the line's length stay within what a file may hold.
bool checkGrowth(const char* function, const TFileLine& line, int64_t values, int64_t bytes) {
    if (values <= static_cast<int64_t>(kMaxLineValues) &&
        bytes <= static_cast<int64_t>(kMaxLineBytes))
        return true;
    fail(function, kBadArgument,
         describeLine(line) + " would hold more than " + std::to_string(kMaxLineValues) +
             " values or " + std::to_string(kMaxLineBytes) + " bytes");
    return false;
}

int64_t bytesWithNewValues(const TFileLine& line, int64_t count) {
    return static_cast<int64_t>(line.textBytes()) + 2 * count;
}

// The text a value is written with, and whether it stays text.
bool spellingOf(const char* function, const ZorvVariant& value, std::string& spelling,
                bool& asText) {
    asText = false;
    switch (value.type) {
    case ZORV_VT_EMPTY:
        spelling = "0";
        return true;
    case ZORV_VT_INT:
        spelling = formatInt(value.intValue);
        return true;
    case ZORV_VT_DOUBLE:
        if (!std::isfinite(value.doubleValue)) {
            fail(function, kBadArgument, "a T-file cannot hold an infinite or undefined number");
            return false;
        }
        spelling = formatDouble(value.doubleValue);
        return true;
    case ZORV_VT_TEXT:
        if (value.length < 0 || (value.length > 0 && !value.text)) {
            fail(function, kBadArgument, "the text value has no bytes");
            return false;
        }
        spelling.assign(value.text ? value.text : "", static_cast<std::size_t>(value.length));
        asText = true;
        return true;
    default:
        fail(function, kBadArgument,
             "a value of type " + std::to_string(value.type) + " cannot go into a T-file");
        return false;
    }
}

// Fills value with the value at the index that indexOf picks in the line.
template <class IndexOf>
int32_t getValue(const char* function, int32_t object, IndexOf indexOf, ZorvVariant* value) {
    beginCall();
    if (!value)
        return fail(function, kBadArgument, "no variant to fill");
    resetVariant(*value);
    auto line = findLine(function, object);
    if (!line)
        return 0;
    const int32_t index = indexOf(*line);
    if (!checkIndex(function, *line, index))
        return 0;
    const ValueReading reading = line->value(index);
    switch (reading.kind) {
    case ValueKind::Int:
        putInt(*value, reading.intValue);
        break;
    case ValueKind::Double:
        putDouble(*value, reading.doubleValue);
        break;
    case ValueKind::Text:
        if (!putText(*value, line->spelling(index)))
            return fail(function, kNoMemory, "out of memory");
        break;
    }
    return 1;
}

} // namespace

extern "C" {

int32_t Zorv_TXTGetValue(int32_t object, int32_t index, ZorvVariant* value) try {
    return getValue(
        "Zorv_TXTGetValue", object, [index](const TFileLine&) { return index; }, value);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTGetID(int32_t object, ZorvVariant* value) try {
    return getValue(
        "Zorv_TXTGetID", object, [](const TFileLine& line) { return line.size() - 1; }, value);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTSetValue(int32_t object, int32_t index, const ZorvVariant* value) try {
    constexpr const char* function = "Zorv_TXTSetValue";
    beginCall();
    auto line = findOpenLine(function, object);
    if (!line || !checkIndex(function, *line, index))
        return 0;
    if (!value)
        return fail(function, kBadArgument, "no value given");
    std::string spelling;
    bool asText = false;
    if (!spellingOf(function, *value, spelling, asText))
        return 0;
    const int64_t bytes = static_cast<int64_t>(line->textBytes() + spelling.size()) -
                          static_cast<int64_t>(line->spelling(index).size());
    if (!checkGrowth(function, *line, line->size(), bytes))
        return 0;
    line->set(index, spelling, asText);
    line->dirty = true;
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTGetSize(int32_t object) try {
    beginCall();
    auto line = findLine("Zorv_TXTGetSize", object);
    return line ? line->size() : 0;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTSetSize(int32_t object, int32_t count) try {
    constexpr const char* function = "Zorv_TXTSetSize";
    beginCall();
    auto line = findOpenLine(function, object);
    if (!line)
        return 0;
    if (count < 0)
        return fail(function, kBadArgument,
                    "a line cannot have " + std::to_string(count) + " values");
    if (count == line->size())
        return 1;
    if (!checkGrowth(function, *line, count, bytesWithNewValues(*line, count - line->size())))
        return 0;
    line->resize(count);
    line->dirty = true;
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTInsertValues(int32_t object, int32_t index, int32_t count) try {
    constexpr const char* function = "Zorv_TXTInsertValues";
    beginCall();
    auto line = findOpenLine(function, object);
    if (!line)
        return 0;
    if (index < 0 || index > line->size() || count < 0)
        return fail(function, kBadIndex,
                    "cannot insert " + std::to_string(count) + " values at index " +
                        std::to_string(index) + " of " + describeLine(*line) + " (" +
                        std::to_string(line->size()) + " values)");
    if (count == 0)
        return 1;
    if (!checkGrowth(function, *line, int64_t{line->size()} + count,
                     bytesWithNewValues(*line, count)))
        return 0;
    line->insert(index, count);
    line->dirty = true;
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTRemoveValues(int32_t object, int32_t index, int32_t count) try {
    constexpr const char* function = "Zorv_TXTRemoveValues";
    beginCall();
    auto line = findOpenLine(function, object);
    if (!line)
        return 0;
    if (index < 0 || count < 0 || int64_t{index} + count > line->size())
        return fail(function, kBadIndex,
                    "cannot remove " + std::to_string(count) + " values at index " +
                        std::to_string(index) + " of " + describeLine(*line) + " (" +
                        std::to_string(line->size()) + " values)");
    if (count == 0)
        return 1;
    line->remove(index, count);
    line->dirty = true;
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_TXTGetIndex(int32_t object) try {
    constexpr const char* function = "Zorv_TXTGetIndex";
    beginCall();
    auto line = findLine(function, object);
    if (!line)
        return -1;
    if (!line->store) {
        fail(function, kReleasedLine,
             "line handle " + std::to_string(object) + " belongs to a released file");
        return -1;
    }
    return static_cast<int32_t>(line->position);
} catch (...) {
    zorvcore::failFromException(zorvcore::Library::Objects, __func__);
    return -1;
}

int32_t Zorv_TXTCopyObject(int32_t destination, int32_t source) try {
    constexpr const char* function = "Zorv_TXTCopyObject";
    beginCall();
    auto target = findOpenLine(function, destination);
    auto from = target ? findLine(function, source) : nullptr;
    if (!from)
        return 0;
    target->copyValues(*from);
    target->dirty = true;
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_IsDirty(int32_t object) try {
    beginCall();
    auto line = findLine("Zorv_IsDirty", object);
    return line && line->dirty ? 1 : 0;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

} // extern "C"
