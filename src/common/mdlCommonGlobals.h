// The program's one settings object, a global of the common module. It is
// inline so that every folder from the shell up reads the same object;
// start-up creates it first of the globals by calling Settings(), and it is
// released (removing the temporary folder) when the program ends.
#pragma once

#include "shell/clsSettings.h"

namespace mdlCommon {

inline clsSettings& Settings() {
    static clsSettings settings;
    return settings;
}

} // namespace mdlCommon
