// Universe maps: any bytes open as a map or are refused; every sector loads
// or fails with a reason. An unchanged map, every sector loaded, saves
// byte-identical to the file's text, reads back as the same objects with the
// same values and saves unchanged to the same bytes; values set on a sector
// and on its first object read back, change only bytes inside one element
// below the universe element, no attribute of a rewritten object is lost,
// and save, load, save is a fixed point.
#include "FuzzSupport.h"
#include "SavedDocument.h"
#include "galaxy/clsGalaxyParser.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using fuzzsupport::decodedScratch;
using fuzzsupport::save;
using fuzzsupport::saveAs;
using fuzzsupport::scratchPath;

namespace {

constexpr int32_t kEdited = 271828;

// The map in the file, with every sector loaded; nothing when it is refused.
std::shared_ptr<clsGalaxyParser> openAll(const std::string& name, std::string_view bytes) {
    fuzzsupport::writeScratch(name, bytes);
    auto map = clsGalaxyParser::Create();
    if (!map->ParseFile(scratchPath(name))) {
        FUZZ_PROMISE(!map->GetLastError().isEmpty());
        return nullptr;
    }
    // By position: a sector read inside another joins `Sectors` while it loads.
    for (int position = 1; position <= map->Sectors.count(); ++position) {
        const auto sector = map->Sectors.at(position);
        if (!sector->Loaded && !map->LoadSectorChildren(sector))
            FUZZ_PROMISE(!map->GetLastError().isEmpty());
    }
    return map;
}

// Every object, in reading order, with its values.
std::string contentOf(const clsGalaxyParser& map) {
    std::string content;
    for (const auto& object : map.objects) {
        for (const auto& property : object->NewEnum())
            content += property->Name.toStdString() + "=" + std::to_string(property->Value) + " ";
        content += "\n";
    }
    return content;
}

// Values set on the last sector and on its first object (through
// Property(), as the editor's grid does, when it has the value); the
// rewritten objects keep every attribute.
void checkEdit(clsGalaxyParser& map, std::string_view text) {
    if (map.Sectors.count() == 0)
        return;
    const auto sector = map.Sectors.at(map.Sectors.count());
    sector->AddProperty(QStringLiteral("x"), kEdited);
    if (const auto child = sector->Childs.at(1)) {
        if (const auto z = child->Property(QStringLiteral("z")))
            z->Value = kEdited;
        else
            child->AddProperty(QStringLiteral("z"), kEdited);
    }
    std::string written;
    if (!saveAs(map, "edited.xml", written)) {
        FUZZ_PROMISE(!map.GetLastError().isEmpty());
        return;
    }
    const std::vector<XmlElementSpan> elements = ScanXmlElements(text);
    bool changed = false;
    const XmlElementSpan* element = fuzzsupport::changedElement(text, written, elements, changed);
    const auto universe =
        std::find_if(elements.begin(), elements.end(), [&](const XmlElementSpan& span) {
            return fuzzsupport::elementNamed(text, span, "universe");
        });
    FUZZ_PROMISE(!changed ||
                 (element && universe != elements.end() && element->depth > universe->depth &&
                  element->start >= universe->tagEnd && element->end <= universe->endTag));
    const auto again = openAll("edited-again.xml", written);
    FUZZ_PROMISE(again != nullptr);
    FUZZ_PROMISE(contentOf(*again) == contentOf(map));
    FUZZ_PROMISE(save(*again, "edited-twice.xml") == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto map = openAll("map.xml", fuzzsupport::bytesOf(data, size));
    if (!map)
        return 0;
    const std::string text = decodedScratch("map.xml");
    const std::string saved = save(*map, "saved.xml");
    FUZZ_PROMISE(saved == text);
    const auto again = openAll("saved-again.xml", saved);
    FUZZ_PROMISE(again != nullptr);
    FUZZ_PROMISE(contentOf(*again) == contentOf(*map));
    FUZZ_PROMISE(save(*again, "saved-twice.xml") == saved);
    checkEdit(*map, text);
    return 0;
}
