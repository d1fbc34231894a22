// Filling the variants the library hands out. Their memory is malloc'ed and
// freed by Zorv_VariantClear.
#pragma once
#include "zorvobjects.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvstore {

// Sets the variant empty without freeing: what it held belongs to the caller.
void resetVariant(ZorvVariant& value);
void putInt(ZorvVariant& value, int32_t number);
void putDouble(ZorvVariant& value, double number);
// False when memory runs out; the variant is then empty.
bool putText(ZorvVariant& value, std::string_view text);
// Hands the variant a malloc'ed text of length bytes followed by a NUL.
void adoptText(ZorvVariant& value, char* text, std::size_t length);
bool putTextList(ZorvVariant& value, const std::vector<std::string>& items);

} // namespace zorvstore
