// Run-time binding of the game libraries: a library is opened by file name
// from the program's own folder at the first call of one of its functions,
// and each function is looked up by name at its own first call. Both stay
// bound until the process ends. A library or function that cannot be bound
// throws platform::ZorvError at the call.
#pragma once

#include "gamefiles/GameText.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <utility>

namespace gamefiles {

// Error numbers of a failed binding.
constexpr int32_t kLibraryLoadError = 48;
constexpr int32_t kFunctionBindError = 453;

class GameLibrary {
public:
    // folder: where the library lies; nullptr means the program's own folder.
    constexpr explicit GameLibrary(const char* fileName, const char* folder = nullptr)
        : m_fileName(fileName), m_folder(folder) {}
    GameLibrary(const GameLibrary&) = delete;
    GameLibrary& operator=(const GameLibrary&) = delete;

    // Address of the named function, opening the library first when needed.
    void* Symbol(const char* functionName);

private:
    void Open(const char* functionName);

    const char* m_fileName;
    const char* m_folder;
    void* m_handle = nullptr;
};

// One function of a library, bound at its first call and cached.
template <class Signature> class LibraryFunction;

template <class Result, class... Args> class LibraryFunction<Result(Args...)> {
public:
    constexpr LibraryFunction(GameLibrary& library, const char* name)
        : m_library(&library), m_name(name) {}

    Result operator()(Args... args) {
        if (!m_function)
            m_function = reinterpret_cast<Result (*)(Args...)>(m_library->Symbol(m_name));
        return m_function(std::forward<Args>(args)...);
    }

private:
    GameLibrary* m_library;
    const char* m_name;
    Result (*m_function)(Args...) = nullptr;
};

// Declares a bound function named and typed after the C declaration.
#define ZORV_GAME_FUNCTION(library, name)                                                          \
    constinit gamefiles::LibraryFunction<decltype(::name)> name {                                  \
        library, #name                                                                             \
    }

// The message of a library's last error: its code, the message length, then
// the message written into a buffer of that length and cut at its first NUL.
template <class GetLastError, class TranslateError>
QString LastErrorText(GetLastError& getLastError, TranslateError& translateError) {
    const int32_t code = getLastError();
    int32_t needed = 0;
    translateError(code, nullptr, 0, &needed);
    if (needed <= 0)
        return {};
    QByteArray buffer(needed, ' ');
    translateError(code, buffer.data(), needed, &needed);
    const qsizetype nul = buffer.indexOf('\0');
    if (nul >= 0)
        buffer.truncate(nul);
    return DecodeText(buffer);
}

// Four version parts joined by dots.
QString VersionText(const int32_t (&parts)[4]);

} // namespace gamefiles
