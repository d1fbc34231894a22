#include "tfiles/clsWare.h"

#include "platform/BoundedArrayLookups.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/TxtValue.h"

namespace {
constexpr int32_t kFactoryKind = 7;
constexpr int32_t kDockKind = 10;
constexpr int32_t kRaceIndex = 13;
} // namespace

QString clsWare::Race() const {
    if (Object->otype != kFactoryKind && Object->otype != kDockKind)
        return {};
    // A race that is not a whole number (a text, a missing value) names no race.
    const std::optional<int32_t> race = tfiles::ValueLong(Object->Value(kRaceIndex));
    if (!race)
        return QStringLiteral("N/A");
    return mdlCommon::GetArrayString(mdlZorvConst::RaceNames, *race);
}
