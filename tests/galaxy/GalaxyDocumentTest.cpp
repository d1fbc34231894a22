#include "GalaxyTestSupport.h"

#include "galaxy/GalaxyDocument.h"
#include "galaxy/mdlZorvGalaxy.h"

#include <vector>

using namespace galaxytest;

namespace {

// Every signal of the document, as "name:key" in the order emitted.
struct Recorder {
    explicit Recorder(GalaxyDocument& document) {
        auto add = [this](const char* name) {
            return [this, name](const Ptr& object) {
                Append(events, std::string(name) + ":" + Text(object->Key()));
            };
        };
        QObject::connect(&document, &GalaxyDocument::DocumentReset,
                         [this] { Append(events, "reset"); });
        QObject::connect(&document, &GalaxyDocument::SectorLoaded, add("loaded"));
        QObject::connect(&document, &GalaxyDocument::ObjectAdded, add("added"));
        QObject::connect(&document, &GalaxyDocument::ObjectRemoved, add("removed"));
        QObject::connect(&document, &GalaxyDocument::ObjectMoved, add("moved"));
        QObject::connect(&document, &GalaxyDocument::ObjectModified, add("modified"));
    }
    std::string events;
};

class GalaxyDocumentTest : public testing::Test {
protected:
    void SetUp() override {
        mdlZorvGalaxy::InitGalaxyTables();
        ASSERT_TRUE(document.Open(WriteMap(kTwoSectors))) << Text(document.LastError());
        ASSERT_FALSE(document.Modified());
    }
    Ptr Object(int id) const { return document.parser()->objects.find(QString::number(id) + "k"); }
    Ptr Sector(int position) const { return document.parser()->Sectors.at(position); }

    GalaxyDocument document;
};

TEST_F(GalaxyDocumentTest, NewFactoryGetsItsDefaultsAndLoadsItsSectorFirst) {
    Recorder recorder(document);
    const Ptr sector = Sector(1);
    auto factory = document.parser()->NewGalObject(sector);
    factory->Setsubtype(0);
    factory->Setotype(6);
    ASSERT_TRUE(document.AddNewObject(factory)) << Text(document.LastError());
    EXPECT_TRUE(sector->Loaded);
    EXPECT_EQ(Child(sector, sector->Childs.count()), factory);
    std::string names;
    for (const auto& property : factory->NewEnum())
        Append(names, Text(property->Name));
    EXPECT_EQ(names, "s t r x y z a b g");
    EXPECT_EQ(factory->Childs.count(), 3);
    EXPECT_TRUE(document.Modified());
    EXPECT_TRUE(StartsWith(recorder.events, "loaded:1k added:"));
}

TEST_F(GalaxyDocumentTest, ASectorIsNeverPlacedInsideAnObject) {
    auto nested = document.parser()->NewGalObject(Sector(1));
    nested->Setotype(1);
    EXPECT_FALSE(document.AddNewObject(nested));
    EXPECT_EQ(Text(document.LastError()), "A sector cannot be placed inside another object.");
    EXPECT_FALSE(document.Contains(nested));
}

TEST_F(GalaxyDocumentTest, PasteOfADeletedObjectChangesNothing) {
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    const Ptr first = Sector(1);
    const Ptr planet = Child(first, 3);
    ASSERT_EQ(planet->otype(), 4);
    const Ptr second = Sector(2);
    ASSERT_TRUE(document.LoadSector(second));
    const Ptr ship = Child(second, 2);
    ASSERT_TRUE(document.DeleteObject(first)) << Text(document.LastError());
    EXPECT_FALSE(document.Contains(planet));

    const int sectors = document.parser()->Sectors.count();
    const int objects = document.parser()->objects.count();
    EXPECT_EQ(document.PasteObject(planet, ship), nullptr);
    EXPECT_EQ(Text(document.LastError()), "The copied object is no longer part of the map.");
    EXPECT_EQ(document.parser()->Sectors.count(), sectors);
    EXPECT_EQ(document.parser()->objects.count(), objects);
}

TEST_F(GalaxyDocumentTest, PasteRefusalsAndAPastedSector) {
    const Ptr first = Sector(1);
    const Ptr gate = Child(first, 1);
    EXPECT_EQ(document.PasteObject(gate, first), nullptr);
    EXPECT_EQ(Text(document.LastError()), "Cannot paste non-sector object as siblink of sector.");
    EXPECT_EQ(document.PasteObject(first, gate), nullptr);
    EXPECT_EQ(Text(document.LastError()), "Cannot paste sector as a child.");

    Recorder recorder(document);
    const std::string target = Text(Sector(2)->Key());
    const Ptr copy = document.PasteObject(first, Sector(2));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(document.LastError().isEmpty()) << Text(document.LastError());
    EXPECT_EQ(Sector(2), copy);
    EXPECT_EQ(copy->Childs.count(), 5);
    // The copied sector was read first, so the windows rebuild its gates.
    EXPECT_TRUE(StartsWith(recorder.events, "loaded:" + target + " loaded:1k added:"))
        << recorder.events;
}

TEST_F(GalaxyDocumentTest, UnchangedValuesChangeNothing) {
    const Ptr first = Sector(1);
    first->Dirty = false;
    Recorder recorder(document);
    EXPECT_TRUE(document.SetProperty(first, "x", 0));
    EXPECT_TRUE(document.RemoveProperty(first, "n"));
    EXPECT_FALSE(first->Dirty);
    EXPECT_FALSE(document.Modified());
    EXPECT_TRUE(document.SetProperty(first, "color", 5));
    EXPECT_TRUE(first->Dirty);
    EXPECT_TRUE(document.Modified());
}

TEST_F(GalaxyDocumentTest, ASectorKeepsItsTypeAndCell) {
    const Ptr first = Sector(1);
    for (const char* name : {"t", "x", "Y"}) {
        EXPECT_FALSE(document.RemoveProperty(first, name)) << name;
        EXPECT_EQ(Text(document.LastError()),
                  "The type and the cell of a sector cannot be removed.");
    }
    EXPECT_FALSE(document.RemoveCoordinates(first));
    EXPECT_NE(first->Property("x"), nullptr);
    EXPECT_FALSE(document.SetProperty(first, "t", 4));
    EXPECT_EQ(first->otype(), 1);
}

TEST_F(GalaxyDocumentTest, CoordinatesAreAddedInOrderAndRemoved) {
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    const Ptr background = Child(Sector(1), 1);
    background->AddProperty("y", 4);
    EXPECT_TRUE(document.AddCoordinates(background));
    std::string names;
    for (const auto& property : background->NewEnum())
        Append(names, Text(property->Name));
    EXPECT_EQ(names, "t s y x z");
    EXPECT_TRUE(document.RemoveCoordinates(background));
    EXPECT_EQ(background->Property("y"), nullptr);
    EXPECT_EQ(background->PropertyCount(), 2);
}

TEST_F(GalaxyDocumentTest, SavingAMapThatFailedToReadSaysWhy) {
    EXPECT_FALSE(document.Open(WriteMap("<map/>", "bad.xml")));
    EXPECT_TRUE(StartsWith(Text(document.LastError()), "Cannot find tag 'universe' in file."));
    EXPECT_FALSE(document.Save(PathOf("out.xml"), 1));
    EXPECT_TRUE(StartsWith(Text(document.LastError()),
                           "The map could not be read, so it cannot be saved:\nCannot find tag"));
}

TEST_F(GalaxyDocumentTest, MoveAndDeleteSignalAfterTheChange) {
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    const Ptr first = Sector(1);
    const Ptr planet = Child(first, 3);
    const Ptr dock = Child(first, 5);
    Recorder recorder(document);
    ASSERT_TRUE(document.MoveObject(planet, dock, true));
    EXPECT_EQ(planet->Parent.lock(), dock);
    ASSERT_TRUE(document.DeleteObject(dock));
    EXPECT_EQ(recorder.events, "moved:" + Text(planet->Key()) + " removed:" + Text(dock->Key()));
    EXPECT_FALSE(document.Contains(planet));
}

} // namespace
