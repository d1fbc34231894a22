#include "ships/clsCockpit.h"

#include "gamefiles/mdlZorvObjects.h"

#include "ships/mdlShipValues.h"

#include <algorithm>

namespace {

const QString kSource = QStringLiteral("clsCockpit");
constexpr int32_t kCompatibleLasersField = 8;

} // namespace

QString clsCockpit::Key() const {
    return Object->Key();
}

int32_t clsCockpit::size() const {
    return std::max(Object->size(), 0);
}

float clsCockpit::Value(int32_t index) const {
    return mdlShipValues::ToSingle(Object->Value(index), index, kSource);
}

void clsCockpit::SetValue(int32_t index, float value) {
    if (!Object->SetValue(index, value))
        mdlShipValues::Raise(kSource, mdlZorvObjects::GetLastErrorText());
}

int32_t clsCockpit::CompatibleLasers() const {
    // Read whole: a 32-bit mask does not survive a trip through a float.
    return mdlShipValues::ToLong(Object->Value(kCompatibleLasersField), kCompatibleLasersField,
                                 kSource);
}
