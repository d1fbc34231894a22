// Every file the virtual file system offers, walked depth first.
#pragma once

#include <QList>
#include <QString>

namespace launcher {

struct VFSFileRow {
    QString vfsName;  // the folder path, "\" and the name ("\name" in the root)
    QString realName; // the file behind it
};

// A folder already walked, or one deeper than any real catalog nests, is not
// walked again, so a file system whose folders lead back to themselves
// cannot make the listing run without end.
QList<VFSFileRow> ListFiles();

} // namespace launcher
