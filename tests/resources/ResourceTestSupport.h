// Language files for the resource tests: written into the folder "t" of the
// test's data folder, which becomes the virtual file system.
#pragma once

#include "gamefiles/mdlZorvObjects.h"
#include "gamefiles/mdlZorvVFS.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>
#include <string>

// Texts show as text in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace restest {

inline QString DataPath(const std::string& name) {
    return QString::fromStdString((testsupport::dataDir() / name).string());
}

// "<language id=...>" around the pages, with the declaration.
inline std::string Language(int id, const std::string& pages) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"" + std::to_string(id) +
           "\">\n" + pages + "</language>\n";
}

inline std::string Page(const std::string& id, const std::string& title, const std::string& texts) {
    return "  <page id=\"" + id + "\" title=\"" + title + "\" descr=\"about " + title + "\">\n" +
           texts + "  </page>\n";
}

inline std::string Text(const std::string& id, const std::string& text) {
    return "    <t id=\"" + id + "\">" + text + "</t>\n";
}

// Writes t/<name>, plain or (for a name ending in .pck) packed.
inline QString WriteLanguageFile(const std::string& name, const std::string& xml) {
    const QString path = DataPath("t/" + name);
    if (name.ends_with(".pck")) {
        std::filesystem::create_directories(testsupport::dataDir() / "t");
        EXPECT_TRUE(mdlZorvObjects::Zorv_EncodeXMLFile(path, QByteArray::fromStdString(xml), 2))
            << mdlZorvObjects::GetLastErrorText().toStdString();
    } else {
        testsupport::writeFile(testsupport::dataDir() / "t" / name, xml);
    }
    return path;
}

inline void OpenDataFolder() {
    EXPECT_TRUE(mdlZorvVFS::ZorvVFS_InitVFS(DataPath("")))
        << mdlZorvVFS::GetLastErrorText().toStdString();
}

} // namespace restest
