// Small T-files written into the test's data folder and loaded into parsers.
#pragma once

#include "gamefiles/mdlZorvFD.h"
#include "support/TestFolders.h"
#include "tfiles/clsTxtParser.h"

#include <QStringList>

#include <string>
#include <vector>

namespace tfiletest {

// A header with the number of lines (or the given count), then the lines.
inline std::string TFile(const std::vector<std::string>& lines, int headerCount = -1) {
    std::string text =
        "1;" + std::to_string(headerCount < 0 ? static_cast<int>(lines.size()) : headerCount) +
        ";\n";
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

inline QString DataPath(const std::string& name) {
    return QString::fromStdString((testsupport::dataDir() / name).string());
}

inline bool LoadPath(clsTxtParser& parser, const QString& path) {
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(path, 0, 0, 0);
    const bool loaded = parser.Load(file);
    mdlZorvFD::ZorvFD_CloseFile(file);
    return loaded;
}

inline bool LoadBytes(clsTxtParser& parser, const std::string& bytes,
                      const std::string& name = "TTest.txt") {
    testsupport::writeFile(testsupport::dataDir() / name, bytes);
    return LoadPath(parser, DataPath(name));
}

inline QStringList Names(const platform::KeyedCollection<clsTXTObject>& objects) {
    QStringList names;
    for (const auto& object : objects)
        names << object->ObjectName();
    return names;
}

} // namespace tfiletest
