// The help is a folder of HTML pages beside the program; a topic is the file
// name of one page, and the empty topic is the start page.
#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// The page of the topic in the folder as a file address (blanks and other
// characters of the folder's path are encoded, so any folder works).
QUrl HelpPageUrl(const QString& folder, const QString& topic);

} // namespace platform
