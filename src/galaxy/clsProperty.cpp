#include "galaxy/clsProperty.h"

void clsProperty::CopyTo(clsProperty& destination) const {
    destination.Name = Name;
    destination.Value = Value;
}

std::shared_ptr<clsProperty> clsProperty::Clone() const {
    return std::make_shared<clsProperty>(*this);
}
