#include "Variant.h"

#include "zorvcore.h"

#include <cstdlib>
#include <cstring>

namespace zorvstore {
namespace {

char* copyText(std::string_view text) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy) {
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
    }
    return copy;
}

} // namespace

void resetVariant(ZorvVariant& value) {
    value = ZorvVariant{};
}

void putInt(ZorvVariant& value, int32_t number) {
    resetVariant(value);
    value.type = ZORV_VT_INT;
    value.intValue = number;
}

void putDouble(ZorvVariant& value, double number) {
    resetVariant(value);
    value.type = ZORV_VT_DOUBLE;
    value.doubleValue = number;
}

void adoptText(ZorvVariant& value, char* text, std::size_t length) {
    resetVariant(value);
    value.type = ZORV_VT_TEXT;
    value.text = text;
    value.length = static_cast<int32_t>(length);
}

bool putText(ZorvVariant& value, std::string_view text) {
    resetVariant(value);
    char* const copy = copyText(text);
    if (!copy)
        return false;
    adoptText(value, copy, text.size());
    return true;
}

bool putTextList(ZorvVariant& value, const std::vector<std::string>& items) {
    resetVariant(value);
    value.type = ZORV_VT_TEXT_LIST;
    if (items.empty())
        return true;
    value.items = static_cast<char**>(std::calloc(items.size(), sizeof(char*)));
    if (!value.items) {
        resetVariant(value);
        return false;
    }
    for (const std::string& item : items) {
        value.items[value.count] = copyText(item);
        if (!value.items[value.count]) {
            Zorv_VariantClear(&value);
            return false;
        }
        ++value.count;
    }
    return true;
}

} // namespace zorvstore

extern "C" void Zorv_VariantClear(ZorvVariant* value) try {
    if (!value)
        return;
    std::free(value->text);
    for (int32_t i = 0; value->items && i < value->count; ++i)
        std::free(value->items[i]);
    std::free(value->items);
    zorvstore::resetVariant(*value);
} catch (...) {
    zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}
