#include "common/widgets/Viewer.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/Processes.h"
#include "platform/Prompts.h"
#include "platform/ZorvError.h"
#include "shell/mdlComFunctions.h"

#include <QSaveFile>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace mdlCommon {
namespace {

// The error of a viewer copy that cannot be read or written.
constexpr int32_t kFileAccessError = 75;

[[noreturn]] void Fail(const QString& description) {
    throw platform::ZorvError(kFileAccessError, QString(), description);
}

QByteArray ReadWholeFile(const QString& path) {
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(path, 0, 0, 0);
    if (file == 0)
        Fail(QStringLiteral("cannot open %1: %2").arg(path, mdlZorvFD::GetLastErrorText()));
    const int32_t size = mdlZorvFD::ZorvFD_FileSize(file);
    QByteArray bytes(std::max(size, 0), '\0');
    const int32_t read = size > 0 ? mdlZorvFD::ZorvFD_ReadFile(file, bytes.data(), size) : 0;
    mdlZorvFD::ZorvFD_CloseFile(file);
    if (size < 0 || read != size)
        Fail(QStringLiteral("cannot read %1: %2 of %3 bytes read.")
                 .arg(path, QString::number(read), QString::number(size)));
    return bytes;
}

// The copy of a catalog entry in the temporary folder, named after the
// entry's own file name; no part of the inner path can lead out of the folder.
QString CopyToTemp(const QString& path) {
    const QString innerPath = GetVFSFilePart(path);
    const QString name =
        innerPath.mid(std::max(innerPath.lastIndexOf(u'\\'), innerPath.lastIndexOf(u'/')) + 1);
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        Fail(QStringLiteral("%1 names no file.").arg(path));
    const QString tempRoot = Settings().TempRoot;
    if (tempRoot.isEmpty())
        Fail(QStringLiteral("there is no temporary folder."));
    const QByteArray bytes = ReadWholeFile(path);
    const QString local = mdlComFunctions::BuildPath(tempRoot, name + QStringLiteral(".txt"));
    QSaveFile copy(local);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.commit())
        Fail(QStringLiteral("cannot write %1: %2").arg(local, copy.errorString()));
    return local;
}

} // namespace

void ShowModel(QWidget* owner, const QString& folder, int32_t bodyNumber) {
    const platform::WindowPrompts prompts(platform::kProgramTitle, owner);
    const qint64 number = bodyNumber;
    const QString digits = QString::number(std::abs(number)).rightJustified(5, u'0');
    const QString name =
        folder + QStringLiteral("\\") + (number < 0 ? QStringLiteral("-") : QString()) + digits;
    ZorvVFSFindData found{};
    const int32_t search = mdlZorvVFS::ZorvVFS_FindFirstFile(name, found);
    if (search == 0)
        prompts.tell(QStringLiteral("Cannot find file \"%1\" in VFS.").arg(name),
                     platform::PromptIcon::Critical);
    else
        OpenInExternalViewer(owner, mdlZorvVFS::FindDataRealName(found));
    mdlZorvVFS::ZorvVFS_FindClose(search);
}

void OpenInExternalViewer(QWidget* owner, const QString& path) {
    const platform::WindowPrompts prompts(platform::kProgramTitle, owner);
    const QString viewer = Settings().Ext3DViewerPath();
    if (viewer.isEmpty()) {
        prompts.tell(QStringLiteral("You didn't specified path to external 3D viewer.\n"
                                    "Go to Settings and set it up."),
                     platform::PromptIcon::Information);
        return;
    }
    try {
        const QString local = path.contains(QStringLiteral("::")) ? CopyToTemp(path) : path;
        const QStringList arguments =
            platform::TemplateArguments(Settings().Ext3DViewerCmdLine(), local);
        QString error;
        if (!platform::StartDetached(viewer, arguments, error))
            Fail(error);
    } catch (const platform::ZorvError& failure) {
        prompts.tell(QStringLiteral("Error starting external 3D viewer: ") + failure.description(),
                     platform::PromptIcon::Critical);
    }
}

} // namespace mdlCommon
