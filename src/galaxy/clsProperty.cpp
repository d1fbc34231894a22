#include "galaxy/clsProperty.h"

#include "galaxy/clsGalaxyObject.h"

PropertyValue& PropertyValue::operator=(int32_t value) {
    m_value = value;
    if (m_owner) {
        m_owner->Dirty = true;
        m_owner->RefreshKnown();
    }
    return *this;
}

void clsProperty::CopyTo(clsProperty& destination) const {
    destination.Name = Name;
    destination.Value = Value;
}

std::shared_ptr<clsProperty> clsProperty::Clone() const {
    return std::make_shared<clsProperty>(*this);
}
