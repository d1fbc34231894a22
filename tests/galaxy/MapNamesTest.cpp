#include "GalaxyTestSupport.h"

#include "gamefiles/mdlZorvVFS.h"
#include "resources/clsDescServer.h"
#include "tfiles/clsArchive.h"

#include <filesystem>
#include <vector>

using namespace galaxytest;

namespace {

const std::string kLanguage = R"(<?xml version="1.0" encoding="UTF-8"?>
<language id="44">
  <page id="7" title="Sectors" descr="">
    <t id="1020101">Home Reach</t>
    <t id="1020305">Far Drift</t>
  </page>
  <page id="17" title="Objects" descr="">
    <t id="100">Courier</t>
    <t id="2500">Old Relay</t>
  </page>
</language>
)";

// Field 6 holds the number of the record's name on page 17.
const std::string kShips = R"(1;3;
0;0;0;0;0;0;100;SS_SH_COURIER;
0;0;0;0;0;0;999;SS_SH_NAMELESS;
0;0;0;0;0;0;abc;SS_SH_BROKEN;
)";

const std::string kMap = R"(<universe>
  <o t="1" x="0" y="0">
    <o t="7" s="0"/>
    <o t="7" s="1"/>
    <o t="7" s="2"/>
    <o t="7" s="300"/>
    <o t="7" s="0" n="2500"/>
    <o t="2" s="0"/>
    <o t="23" s="6"/>
    <o t="23" s="3"/>
    <o t="22" s="0"/>
    <o t="18" s="0" gx="4" gy="2"/>
    <o t="18" s="4" gx="4" gy="2"/>
    <o t="18" s="0" gx="9" gy="9"/>
  </o>
  <o t="1" x="4" y="2"/>
  <o t="1" x="3" y="12"/>
  <o t="1" x="-1" y="0"/>
  <o t="1" x="0" y="-2"/>
</universe>)";

// A fresh text server and T-file cache over the test's data folder.
void UseDataFolder(bool withResources) {
    if (withResources) {
        testsupport::writeFile(testsupport::dataDir() / "t" / "440001.xml", kLanguage);
        testsupport::writeFile(testsupport::dataDir() / "types" / "TShips.txt", kShips);
    }
    mdlZorvVFS::ZorvVFS_InitVFS(QString::fromStdString(testsupport::dataDir().string()));
    ResetDescServer();
    if (withResources) {
        EXPECT_TRUE(DescServer().LoadResources(44)) << Text(DescServer().GetLastError());
    }
    CreateArchive();
}

struct Expected {
    std::string id;
    std::string name;
};

std::vector<Expected> Texts(clsGalaxyParser& document, const Ptr& sector) {
    std::vector<Expected> texts;
    for (const Ptr& object : sector->Childs)
        texts.push_back({Text(document.GetObjectID(object)), Text(document.GetObjectName(object))});
    return texts;
}

void ExpectTexts(const std::vector<Expected>& actual, const std::vector<Expected>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].id, expected[i].id) << "child " << i + 1;
        EXPECT_EQ(actual[i].name, expected[i].name) << "child " << i + 1;
    }
}

std::shared_ptr<clsGalaxyParser> LoadedMap() {
    auto document = Open(kMap);
    EXPECT_TRUE(document->LoadSectorChildren(document->Sectors.at(1)));
    return document;
}

} // namespace

TEST(MapNames, FromTextResourcesAndTFiles) {
    UseDataFolder(true);
    const auto document = LoadedMap();
    const Ptr home = document->Sectors.at(1);
    ExpectTexts(Texts(*document, home),
                {
                    {"SS_SH_COURIER", "Courier"},
                    {"SS_SH_NAMELESS", "SS_SH_NAMELESS"},
                    {"SS_SH_BROKEN", "[no file specified for 7]"},
                    {"[object t=7 s=300]", "[object t=7 s=300]"},
                    {"SS_SH_COURIER", "Old Relay"},
                    {"[object t=2 s=0]", "Background"},
                    {"SUB_OBJECTS", "Primary resources"},
                    {"SUB_OBJECTS", "Unknown value"},
                    {"[no file specified for 22]", "[no file specified for 22]"},
                    {"[object t=18 s=0]", "[object t=18 s=0]"},
                    {"[object t=18 s=4]", "[object t=18 s=4]"},
                    {"[object t=18 s=0]", "[object t=18 s=0]"},
                });
    EXPECT_EQ(Text(document->GetObjectName(home)), "Home Reach");
    EXPECT_EQ(Text(document->GetObjectName(document->Sectors.at(2))), "Far Drift");

    const Ptr courier = Child(home, 1);
    EXPECT_EQ(Text(document->GetObjectSubType(courier, clsGalaxyParser::kRecordName)), "Courier");
    EXPECT_EQ(Text(document->GetObjectSubType(courier, clsGalaxyParser::kRecordID)),
              "SS_SH_COURIER");
    EXPECT_EQ(Text(document->GetObjectSubType(Child(home, 2), clsGalaxyParser::kRecordNameOnly)),
              "[string 17:999]");
    EXPECT_EQ(Text(document->GetObjectSubType(Child(home, 7), 0)), "Primary resources");
    EXPECT_EQ(Text(document->GetObjectSubType(home, 0)), "0");
    EXPECT_EQ(document->GetSubTypeNames(7, clsGalaxyParser::kRecordName),
              QStringList({"Courier", "SS_SH_NAMELESS", "[no file specified for 7]"}));
    EXPECT_EQ(document->GetSubTypeNames(7, clsGalaxyParser::kRecordID),
              QStringList({"SS_SH_COURIER", "SS_SH_NAMELESS", "SS_SH_BROKEN"}));
    EXPECT_TRUE(document->GetSubTypeNames(2, 0).isEmpty());
    EXPECT_TRUE(document->GetSubTypeNames(23, 0).isEmpty());

    EXPECT_EQ(Text(document->GetTargetSectorName(Child(home, 10), false)), "Far Drift");
    EXPECT_EQ(Text(document->GetTargetSectorName(Child(home, 10), true)), "04, 02");
    EXPECT_EQ(Text(document->GetTargetSectorName(Child(home, 11), false)), "");
    EXPECT_EQ(Text(document->GetTargetSectorName(Child(home, 12), false)), "");
    EXPECT_EQ(Text(document->GetTargetSectorName(courier, false)), "");
}

TEST(MapNames, FallBackWithoutTextResources) {
    UseDataFolder(false);
    const auto document = LoadedMap();
    const Ptr home = document->Sectors.at(1);
    EXPECT_EQ(Text(document->GetObjectName(home)), "[string 7:1020101]");
    EXPECT_EQ(Text(document->GetObjectName(Child(home, 1))), "[object t=7 s=0]");
    EXPECT_EQ(Text(document->GetObjectName(Child(home, 5))), "[string 17:2500]");
    EXPECT_EQ(Text(document->GetObjectID(Child(home, 1))), "[object t=7 s=0]");
    EXPECT_TRUE(document->GetSubTypeNames(7, 0).isEmpty());
    EXPECT_EQ(document->GetObjectName(nullptr), QString());
    EXPECT_EQ(document->GetObjectID(nullptr), QString());
}

TEST(MapNames, AMissingTFileIsAskedForOnce) {
    UseDataFolder(false);
    const auto document = LoadedMap();
    for (int i = 0; i < 3; ++i)
        for (const Ptr& object : document->objects)
            document->GetObjectName(object);
    // The ships and the gates: one failed load each.
    EXPECT_EQ(Archive().NotLoadedFiles().count(u'\n'), 1);
    // A map read afresh asks again, since the files may have changed.
    ASSERT_TRUE(document->ParseFile(PathOf("map.xml")));
    document->LoadSectorChildren(document->Sectors.at(1));
    document->GetObjectName(Child(document->Sectors.at(1), 1));
    EXPECT_EQ(Archive().NotLoadedFiles().count(u'\n'), 2);
}

TEST(MapNames, TextsKeptOverLabelBatchesFollowTheTextResources) {
    UseDataFolder(true);
    const auto document = LoadedMap();
    const Ptr courier = Child(document->Sectors.at(1), 1);
    const auto batchName = [&] {
        const clsGalaxyParser::TextBatch batch(*document);
        return Text(document->GetObjectName(courier));
    };
    EXPECT_EQ(batchName(), "Courier");
    std::string renamed = kLanguage;
    renamed.replace(renamed.find("Courier"), 7, "Runner");
    testsupport::writeFile(testsupport::dataDir() / "t" / "440001.xml", renamed);
    EXPECT_EQ(batchName(), "Courier");
    ASSERT_TRUE(DescServer().LoadResources(44));
    EXPECT_EQ(batchName(), "Runner");
    ResetDescServer();
    EXPECT_EQ(batchName(), "SS_SH_COURIER");
}

// Kept texts follow a T-file cache made anew, and a file that was missing
// is looked for again once the map is read afresh.
TEST(MapNames, TextsKeptOverLabelBatchesFollowTheTFiles) {
    const auto types = testsupport::dataDir() / "types";
    testsupport::writeFile(types / "TGates.txt", "1;1;\n0;0;0;0;0;0;0;SS_GATE_NORTH;\n");
    UseDataFolder(true);
    const auto document = LoadedMap();
    const auto batchIDs = [&] {
        const clsGalaxyParser::TextBatch batch(*document);
        const Ptr home = document->Sectors.at(1);
        return Text(document->GetObjectID(Child(home, 1))) + " " +
               Text(document->GetObjectID(Child(home, 10)));
    };
    EXPECT_EQ(batchIDs(), "SS_SH_COURIER SS_GATE_NORTH");
    testsupport::writeFile(types / "TGates.txt", "1;1;\n0;0;0;0;0;0;0;SS_GATE_WEST;\n");
    EXPECT_EQ(batchIDs(), "SS_SH_COURIER SS_GATE_NORTH");
    CreateArchive();
    EXPECT_EQ(batchIDs(), "SS_SH_COURIER SS_GATE_WEST");

    std::filesystem::remove(types / "TShips.txt");
    CreateArchive();
    EXPECT_EQ(batchIDs(), "[object t=7 s=0] SS_GATE_WEST");
    testsupport::writeFile(types / "TShips.txt", kShips);
    CreateArchive();
    EXPECT_EQ(batchIDs(), "[object t=7 s=0] SS_GATE_WEST");
    ASSERT_TRUE(document->ParseFile(PathOf("map.xml")));
    document->LoadSectorChildren(document->Sectors.at(1));
    EXPECT_EQ(batchIDs(), "SS_SH_COURIER SS_GATE_WEST");
}

// Inside a batch, objects named by their type and subtype alone share a key
// with each other only.
TEST(MapNames, KeptTextsKeys) {
    UseDataFolder(true);
    const auto document = LoadedMap();
    const Ptr home = document->Sectors.at(1);
    const auto key = [&](int position) { return document->KeptTextsKey(*Child(home, position)); };
    EXPECT_EQ(key(1), 0u) << "outside a batch";
    const clsGalaxyParser::TextBatch batch(*document);
    EXPECT_NE(key(1), 0u);
    EXPECT_NE(key(1), key(2)) << "another subtype";
    EXPECT_EQ(key(5), 0u) << "a name of its own";
    EXPECT_EQ(document->KeptTextsKey(*home), 0u) << "a sector";
    EXPECT_NE(key(7), key(8));
    EXPECT_EQ(key(10), key(12));
    EXPECT_NE(key(10), key(11));
    EXPECT_NE(key(6), 0u);
    EXPECT_NE(key(6), key(9)) << "another type";
}

// What is kept by those keys is told apart by generation: every document's
// first batch starts one that no other document had.
TEST(MapNames, KeptTextsGenerationsDifferBetweenDocuments) {
    UseDataFolder(true);
    const auto generation = [](clsGalaxyParser& document) {
        const clsGalaxyParser::TextBatch batch(document);
        return document.KeptTextsGeneration();
    };
    const auto first = LoadedMap();
    const quint64 firstGeneration = generation(*first);
    EXPECT_EQ(generation(*first), firstGeneration) << "nothing changed";
    const auto second = LoadedMap();
    EXPECT_NE(generation(*second), firstGeneration);
    EXPECT_NE(generation(*second), 0u);
}

TEST(MapNames, SectorIDsFromTheGridCell) {
    UseDataFolder(false);
    const auto document = Open(kMap);
    struct Case {
        int position;
        std::string id;
        int32_t stringID;
    };
    for (const Case& c : std::vector<Case>{{1, "00, 00", 1020101},
                                           {2, "04, 02", 1020305},
                                           {3, "03, 12", 1021304},
                                           {4, "-01, 00", 1020100},
                                           {5, "00, -02", 0}}) {
        const Ptr sector = document->Sectors.at(c.position);
        EXPECT_EQ(Text(document->GetObjectID(sector)), c.id);
        EXPECT_EQ(document->GetSectorStringID(sector), c.stringID) << c.id;
    }
    // Wider cells make longer numbers, up to the largest one.
    const auto wide =
        Open(R"(<universe><o t="1" x="99" y="0"/><o t="1" x="9999" y="9"/>)"
             R"(<o t="1" x="99999" y="0"/><o t="1" x="0" y="2147483647"/></universe>)");
    const std::vector<int32_t> wideIDs = {10201100, 1021010000, 0, 0};
    for (std::size_t i = 0; i < wideIDs.size(); ++i)
        EXPECT_EQ(wide->GetSectorStringID(wide->Sectors.at(static_cast<int>(i) + 1)), wideIDs[i])
            << "sector " << i + 1;
}
