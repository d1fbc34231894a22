#include "ships/clsCockpitParser.h"

#include "ships/mdlShipValues.h"
#include "tfiles/clsTxtParser.h"

namespace {

const QString kSource = QStringLiteral("clsCockpitParser");

std::shared_ptr<clsCockpit> Wrap(const std::shared_ptr<clsTXTObject>& record) {
    return std::make_shared<clsCockpit>(record);
}

} // namespace

bool clsCockpitParser::Load(const clsTxtParser& parser) {
    Cockpits.clear();
    UnsortedCockpits.clear();
    FileName = parser.FileName;
    for (const auto& record : parser.objects) {
        auto cockpit = Wrap(record);
        mdlShipValues::AddUnique(Cockpits, cockpit, cockpit->Key(), kSource);
    }
    for (const auto& record : parser.UnsortedObjects)
        if (auto cockpit = Find(record->ID()))
            mdlShipValues::AddUnique(UnsortedCockpits, cockpit, cockpit->Key(), kSource);
    return true;
}

std::shared_ptr<clsCockpit> clsCockpitParser::Find(int32_t id) const {
    return Cockpits.find(QString::number(id) + u'k');
}

std::shared_ptr<clsCockpit> clsCockpitParser::FindIndex(int32_t position) const {
    if (position < 0 || position >= UnsortedCockpits.count())
        return nullptr;
    return UnsortedCockpits.at(position + 1);
}

std::shared_ptr<clsCockpit>
clsCockpitParser::CreateCockpit(const std::shared_ptr<clsTXTObject>& record) {
    auto cockpit = Wrap(record);
    mdlShipValues::AddUnique(Cockpits, cockpit, cockpit->Key(), kSource);
    mdlShipValues::AddUnique(UnsortedCockpits, cockpit, cockpit->Key(), kSource);
    return cockpit;
}
