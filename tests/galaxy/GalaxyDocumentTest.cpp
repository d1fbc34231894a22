#include "GalaxyTestSupport.h"

#include "galaxy/GalaxyDocument.h"
#include "galaxy/mdlZorvGalaxy.h"

#include <string>
#include <utility>
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

// The coordinates the object has, as "x=1 z=2".
std::string Coordinates(const Ptr& object) {
    std::string text;
    for (const char* name : {"x", "y", "z"})
        if (const auto property = object->Property(name))
            Append(text, std::string(name) + "=" + std::to_string(property->Value));
    return text;
}

TEST_F(GalaxyDocumentTest, AFailedCreateOrPasteIsTakenBackWhenAsked) {
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    const Ptr first = Sector(1);
    const Ptr planet = Child(first, 3);
    const int children = first->Childs.count();
    const int objects = document.parser()->objects.count();
    document.SetModified(false);
    Recorder recorder(document);

    // The copy is written, then cannot be placed before its original.
    const int32_t planetBookmark = std::exchange(planet->XMLBookmark, 987654);
    EXPECT_EQ(document.PasteObject(planet, planet, GalaxyDocument::Failed::TakeBack), nullptr);
    EXPECT_FALSE(document.LastError().isEmpty());
    planet->XMLBookmark = planetBookmark;
    // The new object cannot be written at all.
    const int32_t sectorBookmark = std::exchange(first->XMLBookmark, 987654);
    const Ptr made = document.parser()->NewGalObject(first);
    made->Setotype(4);
    EXPECT_FALSE(document.AddNewObject(made, GalaxyDocument::Failed::TakeBack));
    EXPECT_TRUE(
        StartsWith(Text(document.LastError()), "Error while updating ojbect state in XML:\n"));
    first->XMLBookmark = sectorBookmark;

    EXPECT_EQ(first->Childs.count(), children);
    EXPECT_EQ(document.parser()->objects.count(), objects);
    EXPECT_EQ(recorder.events, "");
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(Save(*document.parser()), kTwoSectors) << "the written copy left the file again";
}

TEST_F(GalaxyDocumentTest, MovedPositionsAddOnlyTheAxesTheyTookOffZero) {
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    const Ptr gate = Child(Sector(1), 2);
    const Ptr planet = Child(Sector(1), 3);
    const Ptr dock = Child(Sector(1), 5);
    ASSERT_EQ(Coordinates(gate), "x=12 y=2");
    ASSERT_EQ(Coordinates(planet), "x=5 y=6 z=7");
    ASSERT_EQ(Coordinates(dock), "x=1");
    Recorder recorder(document);
    ASSERT_TRUE(
        document.WriteBackPositions({{dock, 10, 0, 3}, {planet, 5, 6, 7}, {gate, 1, 0, 0}}));
    EXPECT_EQ(Coordinates(dock), "x=10 z=3");
    EXPECT_EQ(Coordinates(gate), "x=1 y=0");
    EXPECT_EQ(Coordinates(planet), "x=5 y=6 z=7");
    EXPECT_EQ(recorder.events, "modified:" + Text(dock->Key()) + " modified:" + Text(gate->Key()))
        << "one signal per changed object, after all were written";

    // With one object gone, none is written.
    ASSERT_TRUE(document.DeleteObject(planet));
    EXPECT_FALSE(document.WriteBackPositions({{dock, 0, 0, 0}, {planet, 1, 1, 1}}));
    EXPECT_EQ(Coordinates(dock), "x=10 z=3");
}

TEST_F(GalaxyDocumentTest, GatesLinkOneWayOrBothWaysAndRefuseWhole) {
    ASSERT_TRUE(document.LoadSector(Sector(1)));
    ASSERT_TRUE(document.LoadSector(Sector(2)));
    const Ptr near = Child(Sector(1), 4); // gid 1, leads to (0, 1)
    const Ptr far = Child(Sector(2), 1);  // leads to (0, 0)
    ASSERT_TRUE(document.SetProperty(far, "gid", 4));
    ASSERT_TRUE(document.SetProperty(Sector(1), "x", 3));
    ASSERT_TRUE(document.SetProperty(Sector(1), "y", 2));
    auto link = [](const Ptr& gate) {
        return std::to_string(gate->NamedProperty("gx")) + "," +
               std::to_string(gate->NamedProperty("gy")) + " gtid " +
               (gate->Property("gtid") ? std::to_string(gate->NamedProperty("gtid")) : "-");
    };
    Recorder recorder(document);
    ASSERT_TRUE(document.LinkGates(far, near, false)) << Text(document.LastError());
    EXPECT_EQ(link(far), "3,2 gtid 1");
    EXPECT_EQ(link(near), "0,1 gtid -");
    ASSERT_TRUE(document.LinkGates(far, near, true));
    EXPECT_EQ(link(near), "1,0 gtid 4");
    EXPECT_EQ(recorder.events, "modified:" + Text(far->Key()) + " modified:" + Text(near->Key()))
        << "one signal per gate that changed";

    const Ptr gone = Child(Sector(1), 2);
    ASSERT_TRUE(document.DeleteObject(gone));
    recorder.events.clear();
    const struct {
        Ptr gate, target;
        std::string error;
    } refusals[] = {{near, near, "You are trying to link the gate to itself!"},
                    {far, gone, "The object is no longer part of the map."},
                    {gone, far, "The object is no longer part of the map."}};
    for (const auto& refusal : refusals) {
        EXPECT_FALSE(document.LinkGates(refusal.gate, refusal.target, true));
        EXPECT_EQ(Text(document.LastError()), refusal.error);
    }
    EXPECT_EQ(link(far), "3,2 gtid 1");
    EXPECT_EQ(link(near), "1,0 gtid 4");
    EXPECT_EQ(recorder.events, "");
}

} // namespace
