// The cache of the game's own T-files: each is loaded once from the folder
// "types" of the virtual file system and shared by everyone who asks for it
// until the program ends.
#pragma once

#include "gamefiles/mdlZorvVFS.h"
#include "platform/KeyedCollection.h"
#include "tfiles/clsTxtParser.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class clsArchive {
public:
    using Parser = std::shared_ptr<clsTxtParser>;
    // Gives the store handle of the parsed file at a path of the virtual
    // file system, 0 on failure.
    using FileLoader = std::function<int32_t(const QString& path)>;

    explicit clsArchive(FileLoader loadFile = mdlZorvVFS::ZorvVFS_LoadFile);

    // The cached T-file of that base name ("TLaser", "tlaser" and
    // "TLaser.txt" are one entry), else loaded and cached when it parses;
    // a file that is not a T-file is returned unparsed and not cached;
    // nothing when the file cannot be loaded.
    Parser GetFile(const QString& name);

    bool LoadError() const { return m_loadError; }
    // One line per failed load: the path, ": " and the reason; lines are
    // joined by "\n".
    QString NotLoadedFiles() const { return m_notLoadedFiles; }
    void ClearErrors();

private:
    Parser LoadTFile(const QString& name);

    FileLoader m_loadFile;
    platform::KeyedCollection<clsTxtParser> m_files;
    QString m_notLoadedFiles;
    bool m_loadError = false;
};

// The program's one cache. Start-up calls CreateArchive; a later call
// replaces it by a new, empty one (tests start from a fresh cache this way).
// Archive() creates it when start-up has not.
clsArchive& Archive();
void CreateArchive();
