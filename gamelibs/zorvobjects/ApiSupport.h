// What the exported calls share: error codes, the last error, and handle
// look-ups that fail with an error text instead of crashing.
#pragma once
#include "TFileLine.h"
#include "TFileStore.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zorvstore {

enum ErrorCode : int32_t {
    kBadHandle = 1,
    kBadArgument = 2,
    kBadIndex = 3,
    kNotTFile = 4,
    kReadFailed = 5,
    kWriteFailed = 6,
    kReleasedLine = 7,
    kNoHandles = 8,
    kNoMemory = 9,
};

// The file driver's code for a T-file the store could not save; callers
// report the file driver's error after Zorv_SaveToFile fails.
inline constexpr int32_t kFileDriverSaveFailed = 100;

// Every fallible call starts here: it clears the last error.
void beginCall();
// Set the last error and return 0. A misused call names the function.
int32_t fail(ErrorCode code, std::string text);
int32_t fail(const char* function, ErrorCode code, const std::string& text);

// "handle 12 is not open", "no T-file line handle (0)" ...
std::string handleProblem(int32_t handle, const char* wanted);

std::shared_ptr<TFileStore> findStore(const char* function, int32_t handle);
// A line of an open file or a kept line of a released one: readable.
std::shared_ptr<TFileLine> findLine(const char* function, int32_t handle);
// A line of an open file: changeable.
std::shared_ptr<TFileLine> findOpenLine(const char* function, int32_t handle);

// "line 12 of "path"" for error texts.
std::string describeLine(const TFileLine& line);

} // namespace zorvstore
