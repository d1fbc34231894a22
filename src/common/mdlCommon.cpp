#include "common/mdlCommon.h"

#include "common/mdlCommonGlobals.h"
#include "platform/ZorvError.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/TxtValue.h"
#include "tfiles/clsTXTObject.h"
#include "tfiles/mdlZorvShips.h"

#include <cmath>

namespace mdlCommon {
namespace {

const QString kCatalogSeparator = QStringLiteral("::");
const QString kNotAvailable = QStringLiteral("N/A");
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

} // namespace mdlCommon
