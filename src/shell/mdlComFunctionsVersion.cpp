// Versions of the game libraries, kept apart because they bind the libraries.
#include "shell/mdlComFunctions.h"

#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvObjects.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/ProgramPaths.h"
#include "platform/ZorvError.h"

#include <QFileInfo>
#include <QStringList>

#include <array>

namespace mdlComFunctions {
namespace {

struct GameLibraryVersion {
    const char* fileName;
    QString (*version)();
};

const std::array<GameLibraryVersion, 3> kGameLibraries{{
    {"libzorvfd.so", mdlZorvFD::ZorvFD_Version},
    {"libzorvvfs.so", mdlZorvVFS::ZorvVFS_Version},
    {"libzorvobjects.so", mdlZorvObjects::Zorv_Version},
}};

// "zorvfd.dll", "ZorvFD" and "libzorvfd.so" all name libzorvfd.so.
QString libraryFileName(const QString& name) {
    QString title = GetFileTitle(name, true).toLower();
    if (title.startsWith(QStringLiteral("lib")))
        title.remove(0, 3);
    return QStringLiteral("lib%1.so").arg(title);
}

QString inProgramDir(const QString& fileName) {
    return platform::programDir() + u'/' + fileName;
}

} // namespace

QString GetFileVersion(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return {};
    for (const GameLibraryVersion& library : kGameLibraries) {
        const QString fileName = QString::fromLatin1(library.fileName);
        if (canonical != QFileInfo(inProgramDir(fileName)).canonicalFilePath())
            continue;
        QString text;
        try {
            text = library.version();
        } catch (const platform::ZorvError&) {
            return {};
        }
        const QStringList parts = text.split(u'.');
        std::array<uint32_t, 4> numbers{};
        bool ok = parts.size() == 4;
        for (qsizetype i = 0; ok && i < 4; ++i)
            numbers[i] = parts[i].toUInt(&ok) & 0xFFFF;
        if (!ok)
            return {};
        return FileVersionText(numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]);
    }
    return {};
}

QString GetModuleVersion(QString& name) {
    const QString path = inProgramDir(libraryFileName(name));
    if (!QFileInfo(path).isFile())
        return {};
    name = path;
    return GetFileVersion(path);
}

} // namespace mdlComFunctions
