#include "galaxy/widgets/GalPropertyRows.h"

#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "galaxy/widgets/GalValueText.h"
#include "platform/BoundedArrayLookups.h"
#include "shell/mdlZorvConst.h"

namespace GalPropertyRows {

namespace {

using mdlCommon::ListRow;

constexpr int32_t kSectorType = 1;
constexpr int32_t kGateType = 18;

const char* const kFirstRows[] = {"id", "t", "s", "r", "color", "m"};
const char* const kRotationAndFogRows[] = {"a", "b", "g", "ff", "fc", "fn"};
const char* const kLastRows[] = {"x", "y", "z", "aamount", "atype", "n"};

bool Is(const QString& name, const char* expected) {
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

QString GateIDText(int32_t value) {
    return mdlCommon::GetArrayString(mdlZorvGalaxy::GateIDNames, value);
}

void AddAttributeRow(QList<ListRow>& rows, clsGalaxyParser& document,
                     const clsGalaxyObject::Ptr& object, const QString& name,
                     const Options& options) {
    const auto property = object->Property(name);
    if (!property)
        return;
    rows.append({Caption(name), FormatPropertyValue(document, object, name, options),
                 property->Name, QString()});
}

} // namespace

QString Caption(const QString& name) {
    const auto& names = mdlZorvGalaxy::GalAttrNames;
    for (int32_t i = names.lower(); i <= names.upper(); ++i) {
        if (names[i] == name)
            return mdlZorvGalaxy::GalAttrCaptions[i];
    }
    return QString();
}

QList<ListRow> RawRows(const clsGalaxyObject& object) {
    QList<ListRow> rows;
    for (const auto& property : object.NewEnum())
        rows.append({property->Name, QString::number(property->Value), property->Name, QString()});
    return rows;
}

QString FormatPropertyValue(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                            const QString& name, const Options& options) {
    const int32_t value = object->NamedProperty(name);
    if (GalValueText::IsCoordinateName(name)) {
        return object->otype() == kSectorType ? QString::number(value)
                                              : GalValueText::DistanceText(value, options.unit);
    }
    if (Is(name, "t"))
        return object->ObjectTypeName();
    if (Is(name, "s")) {
        return document.GetObjectSubType(object, options.names ? clsGalaxyParser::kRecordName
                                                               : clsGalaxyParser::kRecordID);
    }
    if (Is(name, "r"))
        return mdlCommon::GetArrayString(mdlZorvConst::RaceNames, value);
    if (Is(name, "atype"))
        return mdlCommon::GetArrayString(mdlZorvGalaxy::AsteroidTypeNames, value);
    if (GalValueText::IsColorName(name))
        return GalValueText::ColorText(value, options.hexa);
    if (Is(name, "a") || Is(name, "b") || Is(name, "g"))
        return GalValueText::AngleText(value, options.hexa);
    return QString::number(value);
}

QList<ListRow> PropertyRows(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                            const Options& options) {
    QList<ListRow> rows;
    if (!object)
        return rows;
    for (const char* name : kFirstRows)
        AddAttributeRow(rows, document, object, QString::fromLatin1(name), options);
    if (const auto gid = object->Property(QStringLiteral("gid")))
        rows.append({QStringLiteral("Gate - ID"), GateIDText(gid->Value), gid->Name, QString()});
    if (object->otype() == kGateType) {
        rows.append({QStringLiteral("Gate - target sector"),
                     document.GetTargetSectorName(object, !options.names),
                     QStringLiteral("gtsector"), QString()});
    }
    AddAttributeRow(rows, document, object, QStringLiteral("gx"), options);
    AddAttributeRow(rows, document, object, QStringLiteral("gy"), options);
    if (const auto gtid = object->Property(QStringLiteral("gtid"))) {
        rows.append({QStringLiteral("Gate - target gate ID"), GateIDText(gtid->Value), gtid->Name,
                     QString()});
    }
    for (const char* name : kRotationAndFogRows)
        AddAttributeRow(rows, document, object, QString::fromLatin1(name), options);
    if (object->otype() == kSectorType) {
        rows.append({QStringLiteral("Sector - string ID"),
                     QString::number(document.GetSectorStringID(object)), QVariant(), QString()});
    }
    for (const char* name : kLastRows)
        AddAttributeRow(rows, document, object, QString::fromLatin1(name), options);
    return rows;
}

} // namespace GalPropertyRows
