#include "tfiles/widgets/EditingPanel.h"

#include "common/widgets/mdlCommonWidgets.h"
#include "tfiles/TxtValue.h"
#include "tfiles/widgets/ucWare.h"

#include <array>

void EditingPanel::AddFieldRow(QTreeWidget* list, const clsTXTObject& record, int32_t index) {
    if (index < 0 || index >= record.size())
        return;
    const QString raw = tfiles::ValueText(record.Value(index));
    QString text;
    const QString value = ZorvTranslateValue(record, index, text, false)
                              ? text + QStringLiteral(" (") + raw + u')'
                              : raw;
    mdlCommon::AddListRow(list, ZorvGetPropertyName(record, index), value, index,
                          QString::number(index));
}

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
