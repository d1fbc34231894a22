// Last errors of the three libraries. Each code keeps the text it was last
// set with, so a code translated after a later success still reads well.
#include "zorvcore.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <map>
#include <mutex>
#include <new>
#include <stdexcept>

namespace zorvcore {
namespace {

struct ErrorState {
    int32_t code = 0;
    std::map<int32_t, std::string> texts;
};

struct Errors {
    std::mutex mutex;
    std::array<ErrorState, 3> libraries;
};

Errors& errors() {
    static Errors* instance = new Errors;
    return *instance;
}

ErrorState& stateOf(Errors& e, Library library) {
    return e.libraries[static_cast<int>(library)];
}

} // namespace

void clearError(Library library) {
    Errors& e = errors();
    std::lock_guard lock(e.mutex);
    stateOf(e, library).code = 0;
}

void setError(Library library, int32_t code, std::string text) {
    Errors& e = errors();
    std::lock_guard lock(e.mutex);
    ErrorState& state = stateOf(e, library);
    state.code = code;
    if (code != 0)
        state.texts[code] = std::move(text);
}

int32_t failFromException(Library library, const char* function) noexcept {
    try {
        std::string reason;
        try {
            throw;
        } catch (const std::bad_alloc&) {
            reason = "out of memory";
        } catch (const std::exception& error) {
            reason = error.what();
        } catch (...) {
            reason = "an unexpected failure";
        }
        setError(library, kCaughtExceptionCode, std::string(function) + ": " + reason + ".");
    } catch (...) {
        // No memory for the text: the code alone still tells the caller.
        Errors& e = errors();
        const std::lock_guard lock(e.mutex);
        stateOf(e, library).code = kCaughtExceptionCode;
    }
    return 0;
}

int32_t lastError(Library library) {
    Errors& e = errors();
    std::lock_guard lock(e.mutex);
    return stateOf(e, library).code;
}

int32_t translateError(Library library, int32_t code, char* buffer, int32_t size, int32_t* needed) {
    std::string text;
    if (code != 0) {
        Errors& e = errors();
        std::lock_guard lock(e.mutex);
        const ErrorState& state = stateOf(e, library);
        auto it = state.texts.find(code);
        text = it != state.texts.end() ? it->second : "Unknown error " + std::to_string(code) + ".";
    }
    const auto length = static_cast<int32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<int32_t>::max()));
    if (needed)
        *needed = length;
    if (buffer && size > 0) {
        const int32_t copied = std::min(length, size);
        std::memcpy(buffer, text.data(), static_cast<std::size_t>(copied));
        if (copied < size)
            buffer[copied] = '\0';
    }
    return length;
}

} // namespace zorvcore
