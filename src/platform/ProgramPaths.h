// Where the running program lies: the folder that also holds the game
// libraries and the help pages.
#pragma once

#include <QString>

namespace platform {

// Full path of the running program file; empty when the system cannot tell.
QString programFilePath();
// The folder of the program file, without a trailing separator.
QString programDir();

} // namespace platform
