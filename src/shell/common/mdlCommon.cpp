#include "shell/common/mdlCommon.h"

#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/Processes.h"
#include "platform/Prompts.h"
#include "platform/ZorvError.h"
#include "shell/common/mdlCommonGlobals.h"
#include "shell/mdlComFunctions.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/TxtValue.h"
#include "tfiles/clsTXTObject.h"
#include "tfiles/mdlZorvShips.h"

#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace mdlCommon {
namespace {

const QString kCatalogSeparator = QStringLiteral("::");
const QString kNotAvailable = QStringLiteral("N/A");
// The title of messages that belong to no window.
const QString kProgramTitle = QStringLiteral("Zorv Editor");
// The error of a viewer copy that cannot be read or written.
constexpr int32_t kFileAccessError = 75;

void Tell(platform::PromptIcon icon, const QString& text) {
    platform::prompts().ask({kProgramTitle, text, icon});
}

// One value of the line as a row; a value the line does not have shows "N/A"
// and gets no tag, so nothing can be edited through it.
ListRow ValueRow(const clsTXTObject& object, int32_t index, const QString& value) {
    QString caption;
    GetCommonFieldCaption(object, index, caption);
    const bool present = index >= 0 && index < object.size();
    return {caption, present ? value : kNotAvailable, present ? QVariant(index) : QVariant(),
            QString::number(index)};
}

ListRow PlainValueRow(const clsTXTObject& object, int32_t index) {
    return ValueRow(object, index, tfiles::ValueText(object.Value(index)));
}

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

void AddRecentFile(const QString& path, QStringList& list) {
    list.removeOne(path);
    list.prepend(path);
    if (list.size() > clsSettings::MaxRecentFiles)
        list.removeAt(clsSettings::MaxRecentFiles);
}

void RemoveRecentFile(const QString& path, QStringList& list) {
    list.removeOne(path);
}

QString GetVFSCatalogPart(const QString& path) {
    const qsizetype separator = path.indexOf(kCatalogSeparator);
    return separator < 0 ? path : path.left(separator);
}

QString GetVFSFilePart(const QString& path) {
    const qsizetype separator = path.indexOf(kCatalogSeparator);
    return separator < 0 ? QString() : path.mid(separator + kCatalogSeparator.size());
}

QString GetLanguageName(int32_t languageId) {
    const auto& ids = mdlZorvConst::LanguageIDs;
    for (int32_t i = ids.lower(); i <= ids.upper(); ++i) {
        if (ids[i] == languageId)
            return mdlZorvConst::LanguageNames.contains(i) ? mdlZorvConst::LanguageNames[i]
                                                           : QString();
    }
    return {};
}

void RaiseIndexError(int32_t index, int32_t lower, int32_t upper, const QString& source) {
    if (index < lower || index > upper)
        throw platform::ZorvError(kListIndexError, source,
                                  QStringLiteral("List index out of bounds."));
}

bool GetCommonFieldCaption(const clsTXTObject& object, int32_t index, QString& caption) {
    if (index == 0 || index == 1) {
        caption = GetArrayString(mdlZorvConst::CommonFieldCaptions, index);
        return true;
    }
    const int32_t size = object.size();
    if (index >= size - 6) {
        caption = GetArrayString(mdlZorvConst::CommonTailCaptions, size - index - 2);
        return true;
    }
    return false;
}

QList<ListRow> CommonHeadRows(const clsTXTObject& object) {
    return {PlainValueRow(object, 0), PlainValueRow(object, 1)};
}

QList<ListRow> CommonTailRows(const clsTXTObject& object) {
    const int32_t size = object.size();
    QList<ListRow> rows;
    for (int32_t index = size - 6; index <= size - 3; ++index)
        rows << PlainValueRow(object, index);
    const std::optional<int32_t> wareClass = tfiles::ValueLong(object.Value(size - 2));
    rows << ValueRow(object, size - 2,
                     wareClass ? GetArrayString(mdlZorvShips::CargoClassNames, *wareClass)
                               : kNotAvailable);
    return rows;
}

ListRow WarePriceRow(const clsTXTObject& object, int32_t index) {
    ListRow row{QStringLiteral("Price info"), kNotAvailable, QVariant(), QString()};
    const std::optional<double> price = tfiles::ValueNumber(object.Value(index));
    if (!price || !mdlZorvConst::PriceFactors.contains(object.otype))
        return row;
    // The factor is single precision: 1000 shield units make 28075 credits.
    const double credits = std::nearbyint(*price * mdlZorvConst::PriceFactors[object.otype]);
    row.value = QString::number(credits + 0.0, 'f', 0) + QStringLiteral(" cr");
    return row;
}

QString UnescapeText(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("(||)"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    result.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    result.replace(QStringLiteral("\\t"), QStringLiteral("\t"), Qt::CaseInsensitive);
    return result;
}

void ShowInvalidNumber(const QString& fieldName) {
    QString text =
        QStringLiteral("Entered value is incorrect. It must be whole or decimal number.");
    if (!fieldName.isEmpty())
        text.prepend(fieldName + QStringLiteral(": "));
    Tell(platform::PromptIcon::Exclamation, text);
}

void ShowModel(const QString& folder, int32_t bodyNumber) {
    const qint64 number = bodyNumber;
    const QString digits = QString::number(std::abs(number)).rightJustified(5, u'0');
    const QString name =
        folder + QStringLiteral("\\") + (number < 0 ? QStringLiteral("-") : QString()) + digits;
    ZorvVFSFindData found{};
    const int32_t search = mdlZorvVFS::ZorvVFS_FindFirstFile(name, found);
    if (search == 0)
        Tell(platform::PromptIcon::Critical,
             QStringLiteral("Cannot find file \"%1\" in VFS.").arg(name));
    else
        OpenInExternalViewer(mdlZorvVFS::FindDataRealName(found));
    mdlZorvVFS::ZorvVFS_FindClose(search);
}

void OpenInExternalViewer(const QString& path) {
    const QString viewer = Settings().Ext3DViewerPath();
    if (viewer.isEmpty()) {
        Tell(platform::PromptIcon::Information,
             QStringLiteral("You didn't specified path to external 3D viewer.\n"
                            "Go to Settings and set it up."));
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
        Tell(platform::PromptIcon::Critical,
             QStringLiteral("Error starting external 3D viewer: ") + failure.description());
    }
}

} // namespace mdlCommon
