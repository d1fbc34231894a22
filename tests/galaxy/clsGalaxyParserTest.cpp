#include "GalaxyTestSupport.h"

#include <vector>

using namespace galaxytest;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(clsGalaxyParser, OpensSectorsWithTheirGatesOnlyNumberedInReadOrder) {
    const auto document = Open(kTwoSectors);
    EXPECT_TRUE(document->Good);
    EXPECT_EQ(document->FileName, PathOf("map.xml"));
    EXPECT_EQ(Text(document->Namespace), "XUNIVERS.xsd");
    EXPECT_EQ(Keys(document->Sectors), "1k 5k");
    // An object enters the index once its subtree is read.
    EXPECT_EQ(Keys(document->objects), "1k 2k 4k 3k 5k 6k");

    const Ptr first = document->Sectors.at(1);
    EXPECT_EQ(first->Index, 0);
    EXPECT_EQ(document->Sectors.at(2)->Index, 1);
    EXPECT_FALSE(first->Loaded);
    EXPECT_FALSE(first->Dirty);
    EXPECT_EQ(Keys(first->Childs), "2k 3k");
    const Ptr gate = Child(first, 1);
    EXPECT_EQ(gate->Parent.lock(), first);
    EXPECT_TRUE(gate->Loaded);
    EXPECT_EQ(gate->x(), 12);
    EXPECT_EQ(gate->y(), 2);
    EXPECT_EQ(Keys(Child(first, 2)->Childs), "4k");
}

TEST(clsGalaxyParser, AGateIsFoundAtOpenHoweverItsTypeIsWritten) {
    // The type of each child of the one sector, and whether it is a gate.
    const std::vector<std::pair<std::string, bool>> types = {
        {"18", true},   {"018", true},   {"18.0", true}, {" 18 ", true},
        {"+18", true},  {"1.8e1", true}, {"17.6", true}, {"1", false},
        {"8", false},   {"180", false},  {"118", false}, {"-18", false},
        {"18a", false}, {"", false},     {"x", false},   {"1234567890", false}};
    std::string sector = "<o t=\"1\">";
    for (std::size_t i = 0; i < types.size(); ++i)
        sector += "<o t=\"" + types[i].first + "\" s=\"" + std::to_string(i) + "\"/>";
    // The type after other attributes, and names that only resemble it.
    sector += "<o s=\"16\" t=\"18\"/><o tt=\"1\" t=\"18\" s=\"17\"/><o T=\"18\" s=\"18\"/>"
              "<o s=\"19\" ty=\"18\"/>";
    // A child without a type, and sectors without children or only texts.
    sector += "<o s=\"99\"/></o><o t=\"1\"/><o t=\"1\"> </o>";
    const auto document = Open("<universe>" + sector + "</universe>");
    ASSERT_TRUE(document->Good) << Text(document->GetLastError());
    std::string found;
    for (const Ptr& gate : document->Sectors.at(1)->Childs)
        found += std::to_string(gate->subtype()) + " ";
    std::string expected;
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i].second)
            expected += std::to_string(i) + " ";
    EXPECT_EQ(found, expected + "16 17 ");
    EXPECT_EQ(document->Sectors.count(), 3);
    EXPECT_EQ(document->Sectors.at(2)->Childs.count(), 0);
    EXPECT_EQ(document->Sectors.at(3)->Childs.count(), 0);
}

TEST(clsGalaxyParser, EachSectorGetsItsOwnGatesInOrderAtOpen) {
    // Sectors of different lengths, so their lists end at different steps
    // of the walk: gates first, last, alone, none, and after many others.
    const std::vector<std::vector<int>> sectors = {
        {18, 4, 18, 4, 4, 4, 4, 4, 4, 18},     {},          {4}, {18},
        {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 18}, {18, 18, 18}};
    std::string map = "<universe>";
    int serial = 0;
    for (const auto& children : sectors) {
        map += "<o t=\"1\">\n";
        for (const int type : children)
            map += "  <o t=\"" + std::to_string(type) + "\" s=\"" + std::to_string(++serial) +
                   "\"/>\n";
        map += "</o>";
    }
    const auto document = Open(map + "</universe>");
    ASSERT_TRUE(document->Good) << Text(document->GetLastError());
    ASSERT_EQ(document->Sectors.count(), static_cast<int>(sectors.size()));
    serial = 0;
    for (std::size_t i = 0; i < sectors.size(); ++i) {
        std::string expected;
        for (const int type : sectors[i]) {
            ++serial;
            if (type == 18)
                Append(expected, std::to_string(serial));
        }
        std::string found;
        for (const Ptr& gate : document->Sectors.at(static_cast<int>(i) + 1)->Childs)
            Append(found, std::to_string(gate->subtype()));
        EXPECT_EQ(found, expected) << "sector " << i;
    }
}

TEST(clsGalaxyParser, LoadingASectorReadsEverythingWithNewIDs) {
    const auto document = Open(kTwoSectors);
    const Ptr first = document->Sectors.at(1);
    ASSERT_TRUE(document->LoadSectorChildren(first)) << Text(document->GetLastError());
    EXPECT_TRUE(first->Loaded);
    EXPECT_FALSE(first->Dirty);
    EXPECT_EQ(first->x(), 0);
    EXPECT_EQ(Keys(first->Childs), "7k 8k 9k 10k 12k");
    EXPECT_EQ(Keys(Child(first, 5)->Childs), "13k 15k");
    EXPECT_EQ(Child(Child(Child(first, 5), 1), 1)->NamedProperty("n"), 0);
    // The gates of the first pass leave the index with everything below them.
    EXPECT_EQ(Keys(document->objects), "1k 5k 6k 7k 8k 9k 11k 10k 14k 13k 15k 12k");
    EXPECT_EQ(Keys(document->Sectors), "1k 5k");
    EXPECT_EQ(Child(first, 2)->x(), 12);
}

TEST(clsGalaxyParser, ReportsFilesThatAreNoMaps) {
    struct Case {
        std::string bytes;
        std::string error;
        std::string name = "map.xml";
    };
    const std::vector<Case> cases = {
        {"<language id=\"44\"/>", "Cannot find tag 'universe' in file.\n"},
        {"<universe><o t=\"1\">", "Error loading file: \nError: "},
        {std::string("\x1f\x8b\x08\x00garbage", 11), "Error loading file: \n"},
        {"neither gzip nor XML", "Error loading file: \n", "map.pck"},
    };
    for (const Case& c : cases) {
        auto document = clsGalaxyParser::Create();
        EXPECT_FALSE(document->ParseFile(WriteMap(c.bytes, c.name)));
        EXPECT_FALSE(document->Good);
        EXPECT_TRUE(document->FileName.isEmpty());
        EXPECT_TRUE(StartsWith(Text(document->GetLastError()), c.error))
            << Text(document->GetLastError());
    }
}

TEST(clsGalaxyParser, FindsTheUniverseWhereverItStands) {
    auto deep = Open("<maps><old/><universe><o t=\"1\" x=\"4\"/></universe></maps>");
    EXPECT_EQ(deep->Sectors.count(), 1);
    EXPECT_TRUE(deep->Namespace.isEmpty());
    auto empty = Open("<universe xmlns=\"XUNIVERS.xsd\"/>");
    EXPECT_TRUE(empty->Good);
    EXPECT_EQ(empty->Sectors.count(), 0);
}

TEST(clsGalaxyParser, SavesUnchangedPartsByteForByte) {
    const auto document = Open(kTwoSectors);
    EXPECT_EQ(Save(*document), kTwoSectors);
    for (const Ptr& sector : document->Sectors)
        ASSERT_TRUE(document->LoadSectorChildren(sector));
    EXPECT_EQ(Save(*document), kTwoSectors);
    EXPECT_EQ(document->FileName, PathOf("saved.xml"));
}

TEST(clsGalaxyParser, SavesPackedAndReadsItBack) {
    const auto document = Open(kTwoSectors);
    const std::string packed = Save(*document, 2, "saved.pck");
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed.substr(0, 2), "\x1f\x8b");
    auto reread = clsGalaxyParser::Create();
    ASSERT_TRUE(reread->ParseFile(PathOf("saved.pck")));
    EXPECT_EQ(Save(*reread), kTwoSectors);
}

TEST(clsGalaxyParser, RewritesOnlyTheChangedElement) {
    const auto document = Open(kTwoSectors);
    const Ptr first = document->Sectors.at(1);
    ASSERT_TRUE(document->LoadSectorChildren(first));
    Child(first, 3)->Setx(50);
    Child(first, 2)->Setz(-1);
    std::string expected = Replaced(kTwoSectors, R"(<o t="4" s="1" x="5" y="6" z="7"/>)",
                                    R"(<o t="4" s="1" x="50" y="6" z="7"/>)");
    expected = Replaced(expected, R"(x=" 12 " y="2.5"/>)", R"(x="12" y="2" z="-1"/>)");
    EXPECT_EQ(Save(*document), expected);
    for (const Ptr& object : document->objects)
        EXPECT_FALSE(object->Dirty);
}

TEST(clsGalaxyParser, NewMapWithOneSectorSavesTheWholeMap) {
    auto document = clsGalaxyParser::Create();
    ASSERT_TRUE(document->NewFile());
    EXPECT_TRUE(document->Good);
    const Ptr sector = document->NewGalObject(nullptr);
    EXPECT_EQ(Text(sector->Key()), "1k");
    sector->Loaded = true;
    sector->Setotype(1);
    ASSERT_TRUE(document->AddObject(sector));
    ASSERT_TRUE(document->UpdateObjectXML(sector)) << Text(document->GetLastError());
    document->CreateDefaultObjects(sector);
    EXPECT_EQ(Save(*document), R"(<?xml version="1.0" encoding="UTF-8"?>
<universe xmlns="XUNIVERS.xsd">
  <o t="1" r="1" x="0" y="0" color="0" ff="0" fc="0" fn="0">
    <o t="2" s="0"/>
  </o>
</universe>
)");
}

TEST(clsGalaxyParser, NewElementsTakeTheUniverseNamespace) {
    auto document = Open("<universe><o t=\"1\"/></universe>");
    ASSERT_TRUE(document->LoadSectorChildren(document->Sectors.at(1)));
    const Ptr planet = document->NewGalObject(document->Sectors.at(1));
    planet->Setotype(4);
    document->AddObject(planet);
    document->Sectors.at(1)->Childs.add(planet, planet->Key());
    EXPECT_EQ(Save(*document), "<universe><o t=\"1\"><o t=\"4\"/></o></universe>");
}

TEST(clsGalaxyParser, OpeningASectorKeepsItsUnsavedEdits) {
    const auto document = Open(kTwoSectors);
    const Ptr first = document->Sectors.at(1);
    first->Setx(9);
    Child(first, 1)->Setx(77);
    ASSERT_TRUE(document->LoadSectorChildren(first));
    EXPECT_EQ(first->x(), 9);
    EXPECT_EQ(Child(first, 2)->x(), 77);
    const std::string saved = Save(*document);
    EXPECT_NE(saved.find(R"(<o t="1" s="0" x="9" y="0" r="1" color="1193046">)"),
              std::string::npos);
    EXPECT_NE(saved.find(R"(gx="1" gy="0" x="77" y="2"/>)"), std::string::npos);
}

TEST(clsGalaxyParser, ASectorThatFailsToLoadStaysUnloadedAndTheMapUsable) {
    const std::string map = R"(<universe>
  <o t="1"><o t="18"/><o t="4" x="1e12"/><o t="5"><o t="23"/></o></o>
  <o t="1" x="1"><planet t="4"/></o>
  <o t="1" x="2"><o t="4"/></o>
</universe>)";
    const auto document = Open(map);
    const Ptr first = document->Sectors.at(1);
    EXPECT_FALSE(document->LoadSectorChildren(first));
    EXPECT_EQ(Text(document->GetLastError()),
              "Error loading children of sector idx=0\nThe value \"1e12\" of attribute \"x\" is "
              "not a 32-bit whole number.");
    EXPECT_FALSE(first->Loaded);
    EXPECT_FALSE(document->LoadSectorChildren(document->Sectors.at(2)));
    EXPECT_EQ(Text(document->GetLastError()),
              "Error loading children of sector idx=1\nStarting tag is not 'o'");
    EXPECT_FALSE(document->Sectors.at(2)->Loaded);
    // A second try fails the same way and leaves nothing behind in the index.
    const int32_t indexed = document->objects.count();
    EXPECT_FALSE(document->LoadSectorChildren(first));
    EXPECT_EQ(document->objects.count(), indexed);

    ASSERT_TRUE(document->LoadSectorChildren(document->Sectors.at(3)));
    EXPECT_EQ(document->Sectors.at(3)->Childs.count(), 1);
    EXPECT_EQ(Save(*document), map);
}

TEST(clsGalaxyParser, AFailedSaveKeepsNameAndChanges) {
    const auto document = Open(kTwoSectors);
    document->Sectors.at(2)->Sety(3);
    EXPECT_FALSE(document->SaveFile(PathOf("missing/folder/saved.xml"), 1));
    EXPECT_TRUE(StartsWith(Text(document->GetLastError()), "Error saving xml: \n"));
    EXPECT_EQ(document->FileName, PathOf("map.xml"));
    EXPECT_TRUE(document->Sectors.at(2)->Dirty);
}
