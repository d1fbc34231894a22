// Exported last-error and version calls.
#include "zorvcore.h"
#include "zorvobjects.h"

#include <algorithm>

extern "C" {

int32_t Zorv_GetLastError(void) try {
    return zorvcore::lastError(zorvcore::Library::Objects);
} catch (...) {
    return zorvcore::kCaughtExceptionCode;
}

int32_t Zorv_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed) try {
    return zorvcore::translateError(zorvcore::Library::Objects, code, buffer, size, needed);
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

void Zorv_Version(int32_t* parts) {
    if (!parts)
        return;
    const int32_t version[4] = {1, 0, 0, 1};
    std::copy(version, version + 4, parts);
}

} // extern "C"
