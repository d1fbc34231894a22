// Opening the game's files and the resource strings, as start-up does and
// as the settings dialog does again after a change. Each gives the message a
// person should see, or an empty text.
#pragma once

#include <QString>

namespace launcher {

// Opens the virtual file system over the data folder, then appends the
// active mod's catalog; the mod warning when that catalog cannot be added.
QString OpenGameFiles();
// Loads the resource strings of the configured language; the resources
// message when that fails.
QString LoadResourceStrings();

} // namespace launcher
