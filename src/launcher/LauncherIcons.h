// The launcher's built-in images, drawn at run time: a coloured tile with a
// glyph for each tool, so the program ships no artwork files.
#pragma once

#include <QIcon>
#include <QString>

namespace launcher {

// "empty", "te", "ge", "tre", "settings", "help" and "about"; an empty icon
// for any other key.
QIcon BuiltInIcon(const QString& key);

} // namespace launcher
