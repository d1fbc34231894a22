// What the launcher does with its command line: "[file type] <file name>",
// the type "-tfile", "-map" or "-xml" ("/" for "-", any letter case), and a
// guess by the file's title when the type is missing or unknown.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace launcher {

enum class EditorKind : int32_t { None = 0, TFile = 1, Map = 2, Xml = 3 };

struct CommandLinePlan {
    EditorKind editor = EditorKind::None;
    QString file;
    // Shown first, in the order given (each an exclamation box).
    QStringList warnings;
};

// The arguments after the program's own name.
CommandLinePlan ProcessCommandLine(const QStringList& arguments);
// TFile for the titles the launcher knows as T-files, else None.
EditorKind GuessFileType(const QString& file);

} // namespace launcher
