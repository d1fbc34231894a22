#include "tfiles/widgets/EditingPanel.h"

#include "tfiles/widgets/ucWare.h"

#include <array>

namespace PanelClaims {

namespace {

std::array<Factory, 3>& Factories() {
    static std::array<Factory, 3> factories{
        nullptr, nullptr, [](QWidget* parent) -> EditingPanel* { return new ucWare(parent); }};
    return factories;
}

} // namespace

void Register(Slot slot, Factory factory) {
    Factories()[static_cast<std::size_t>(slot)] = std::move(factory);
}

std::vector<EditingPanel*> CreatePanels(QWidget* parent) {
    std::vector<EditingPanel*> panels;
    for (const Factory& factory : Factories())
        if (factory)
            if (EditingPanel* panel = factory(parent))
                panels.push_back(panel);
    return panels;
}

EditingPanel* Claim(const std::vector<EditingPanel*>& panels, const QString& title, int32_t& kind) {
    for (EditingPanel* panel : panels)
        if (panel->ZorvQueryInterfaceEx(title, kind))
            return panel;
    return nullptr;
}

} // namespace PanelClaims
