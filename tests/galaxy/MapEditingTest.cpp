#include "GalaxyTestSupport.h"

#include <functional>
#include <vector>

using namespace galaxytest;

namespace {

// kTwoSectors with both sectors read: the first sector's children are
// 7k background, 8k gate, 9k planet, 10k gate (11k container), 12k dock
// (13k container with 14k ware, 15k container); the second's 16k gate, 17k ship.
std::shared_ptr<clsGalaxyParser> LoadedTwoSectors() {
    auto document = Open(kTwoSectors);
    for (const Ptr& sector : document->Sectors)
        EXPECT_TRUE(document->LoadSectorChildren(sector)) << Text(document->GetLastError());
    return document;
}

Ptr Find(const clsGalaxyParser& document, int32_t id) {
    return document.objects.find(QString::number(id) + u'k');
}

std::string Attributes(const clsGalaxyObject& object) {
    std::string text;
    for (const auto& property : object.NewEnum())
        Append(text, Text(property->Name) + "=" + std::to_string(property->Value));
    return text;
}

std::string ChildTypes(const clsGalaxyObject& object) {
    std::string text;
    for (const Ptr& child : object.Childs)
        Append(text, std::to_string(child->otype()) + "/" + std::to_string(child->subtype()));
    return text;
}

// The element text from `start` up to and including the end tag that closes it.
std::string ElementAt(const std::string& xml, const std::string& start, const std::string& end) {
    const auto from = xml.find(start);
    const auto to = xml.find(end, from);
    EXPECT_NE(to, std::string::npos);
    return xml.substr(from, to + end.size() - from);
}

const std::string kFirstSector =
    ElementAt(kTwoSectors, R"(<o t="1" s="0" x="0")", "    </o>\n  </o>");
const std::string kSecondSector = ElementAt(kTwoSectors, R"(<o t="1" s="0" x="1")", "  </o>");
const std::string kPlanet = R"(<o t="4" s="1" x="5" y="6" z="7"/>)";
const std::string kShip = R"(<o t="7" s="3" x="1" y="1" z="1"/>)";

std::string Without(std::string xml, const std::string& part) {
    xml.erase(xml.find(part), part.size());
    return xml;
}

std::string InsertedBefore(std::string xml, const std::string& before, const std::string& part) {
    xml.insert(xml.find(before), part);
    return xml;
}

} // namespace

TEST(MapEditing, NewFactoryGetsItsDefaultsAndWrittenContainers) {
    const auto document = LoadedTwoSectors();
    const Ptr sector = document->Sectors.at(2);
    const Ptr factory = document->NewGalObject(sector);
    factory->Loaded = true;
    factory->Setotype(6);
    factory->Setsubtype(3);
    ASSERT_TRUE(document->AddObject(factory));
    sector->Childs.add(factory, factory->Key());
    ASSERT_TRUE(document->UpdateObjectXML(factory));
    EXPECT_TRUE(document->CreateDefaultObjects(factory));

    EXPECT_EQ(Attributes(*factory), "t=6 s=3 r=1 x=0 y=0 z=0 a=0 b=0 g=0");
    EXPECT_EQ(ChildTypes(*factory), "23/6 23/7 23/5");
    for (const Ptr& container : factory->Childs) {
        EXPECT_TRUE(container->Loaded);
        EXPECT_EQ(document->objects.find(container->Key()), container);
    }
    const std::string factoryElement =
        R"(<o t="6" s="3" r="1" x="0" y="0" z="0" a="0" b="0" g="0">)"
        R"(<o t="23" s="6"/><o t="23" s="7"/><o t="23" s="5"/></o>)";
    EXPECT_EQ(Save(*document),
              InsertedBefore(kTwoSectors, "\n  </o>\n</universe>", "\n    " + factoryElement));
}

TEST(MapEditing, DefaultsDependOnTypeAndPlace) {
    const auto document = LoadedTwoSectors();
    const Ptr sector = document->Sectors.at(2);
    auto container = [&](int32_t group) {
        const Ptr made = document->NewGalObject(sector);
        made->Setotype(23);
        made->Setsubtype(group);
        return made;
    };
    const Ptr product = container(7);
    const Ptr flying = container(9);
    const Ptr station = document->NewGalObject(sector);
    station->Setotype(5);

    struct Case {
        Ptr parent;
        int32_t type;
        std::string attributes;
        std::string children;
    };
    const std::vector<Case> cases = {
        {product, 7, "t=7 s=0", ""},
        {flying, 7, "t=7 s=0 r=1 x=0 y=0 z=0", ""},
        {sector, 7, "t=7 s=0 r=1 x=0 y=0 z=0", ""},
        {station, 7, "t=7 s=0 r=1", ""},
        {sector, 4, "t=4 s=0 x=0 y=0 z=0 a=0 b=0 g=0", ""},
        {product, 11, "t=11 s=0", ""},
        {sector, 17, "t=17 s=0 x=0 y=0 z=0 a=0 b=0 g=0 atype=0 aamount=0", ""},
        {sector, 18, "t=18 s=0 r=1 x=0 y=0 z=0 a=0 b=0 g=0 gid=0 gx=0 gy=0 gtid=0", ""},
        {sector, 5, "t=5 s=0 r=1 x=0 y=0 z=0 a=0 b=0 g=0", "23/8 23/5"},
        {nullptr, 1, "t=1 s=0 x=0 y=0 r=1 color=0 ff=0 fc=0 fn=0", "2/0"},
    };
    for (const Case& c : cases) {
        const Ptr object = document->NewGalObject(c.parent);
        object->Setotype(c.type);
        object->Setsubtype(0);
        if (c.type == 1) {
            object->Setx(5);
            object->Sety(6);
        }
        EXPECT_TRUE(document->CreateDefaultObjects(object));
        EXPECT_EQ(Attributes(*object), c.attributes) << "type " << c.type;
        EXPECT_EQ(ChildTypes(*object), c.children) << "type " << c.type;
    }
}

TEST(MapEditing, ContainersOfAnUnwrittenSectorWaitForItsElement) {
    const auto document = LoadedTwoSectors();
    const Ptr sector = document->NewGalObject(nullptr);
    sector->Setotype(1);
    EXPECT_TRUE(document->CreateDefaultObjects(sector));
    EXPECT_TRUE(StartsWith(Text(document->GetLastError()),
                           "Error while creating default objects:\nUnable to select parent's "
                           "bookmark: "));
    ASSERT_TRUE(document->AddObject(sector));
    EXPECT_FALSE(document->AddObject(sector));
    ASSERT_TRUE(document->UpdateObjectXML(sector));
    EXPECT_GT(Child(sector, 1)->XMLBookmark, 0);
    EXPECT_EQ(document->FindSector(0, 0), document->Sectors.at(1));
    EXPECT_EQ(document->FindSector(1, 0), document->Sectors.at(2));
    EXPECT_EQ(document->FindSector(2, 0), nullptr);
}

TEST(MapEditing, DeletingASectorTakesItsSubtreeOutOfMapAndFile) {
    const auto document = LoadedTwoSectors();
    const Ptr first = document->Sectors.at(1);
    const Ptr dock = Find(*document, 12);
    ASSERT_TRUE(document->DeleteObject(first)) << Text(document->GetLastError());
    EXPECT_EQ(Keys(document->Sectors), "5k");
    EXPECT_EQ(Keys(document->objects), "5k 16k 17k");
    // The removed subtree keeps no bookmark of elements that are gone.
    EXPECT_EQ(first->XMLBookmark, 0);
    EXPECT_EQ(dock->XMLBookmark, 0);
    EXPECT_EQ(Child(Child(dock, 1), 1)->XMLBookmark, 0);
    EXPECT_EQ(dock->Parent.lock(), first);
    EXPECT_EQ(Save(*document), Without(kTwoSectors, kFirstSector + "\n  "));
}

TEST(MapEditing, DeletingObjectsWithAndWithoutElement) {
    const auto document = LoadedTwoSectors();
    const Ptr sector = document->Sectors.at(2);
    const Ptr unsaved = document->NewGalObject(sector);
    unsaved->Setotype(4);
    document->AddObject(unsaved);
    sector->Childs.add(unsaved, unsaved->Key());
    EXPECT_TRUE(document->DeleteObject(unsaved));
    EXPECT_EQ(unsaved->Parent.lock(), nullptr);
    EXPECT_FALSE(document->objects.contains(unsaved->Key()));
    EXPECT_EQ(Keys(sector->Childs), "16k 17k");
    EXPECT_EQ(Save(*document), kTwoSectors);

    // When the element cannot be removed, the map stays as it was.
    const Ptr ship = Find(*document, 17);
    ship->XMLBookmark = 9999;
    EXPECT_FALSE(document->DeleteObject(ship));
    EXPECT_EQ(Text(document->GetLastError()), "Unable to select object bookmark.");
    EXPECT_EQ(Keys(sector->Childs), "16k 17k");
    EXPECT_TRUE(document->objects.contains("17k"));
    EXPECT_EQ(ship->Parent.lock(), sector);
}

TEST(MapEditing, RefusedMovesChangeNothing) {
    const auto document = LoadedTwoSectors();
    const Ptr first = document->Sectors.at(1);
    const Ptr second = document->Sectors.at(2);
    const Ptr planet = Find(*document, 9);
    const Ptr dock = Find(*document, 12);
    const Ptr orphan = document->CreateGalObject(nullptr);
    orphan->Setotype(4);
    const Ptr unsaved = document->NewGalObject(first);
    unsaved->Setotype(4);
    first->Childs.add(unsaved, unsaved->Key());

    struct Case {
        Ptr object;
        Ptr target;
        bool asChild;
        std::string error;
    };
    const std::vector<Case> cases = {
        {planet, planet, false, "Node and target are the same object."},
        {orphan, planet, false, "Object does not have parent and it is not sector."},
        {planet, orphan, true, "Object does not have parent and it is not sector."},
        {first, second, true, "Cannot insert sector as child."},
        {first, planet, false, "Cannot insert sector as child."},
        {planet, second, false, "Cannot add non-sector as siblink of sector."},
        {dock, Child(dock, 1), true, "Cannot move an object into its own subtree."},
        {dock, Child(Child(dock, 1), 1), false, "Cannot move an object into its own subtree."},
        {unsaved, planet, false, "Invalid bookmark."},
        {planet, unsaved, false, "Invalid bookmark."},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(document->MoveObject(c.object, c.target, c.asChild));
        EXPECT_EQ(Text(document->GetLastError()), c.error);
    }
    EXPECT_EQ(Keys(document->Sectors), "1k 5k");
    EXPECT_EQ(Keys(first->Childs), "7k 8k 9k 10k 12k " + Text(unsaved->Key()));
    EXPECT_EQ(dock->Parent.lock(), first);
    first->Childs.remove(unsaved->Key());
    EXPECT_EQ(Save(*document), kTwoSectors);
}

TEST(MapEditing, MovesSectorsAndObjectsInModelAndFile) {
    const auto document = LoadedTwoSectors();
    const Ptr first = document->Sectors.at(1);
    const Ptr second = document->Sectors.at(2);
    ASSERT_TRUE(document->MoveObject(second, first, false)) << Text(document->GetLastError());
    EXPECT_EQ(Keys(document->Sectors), "5k 1k");
    EXPECT_EQ(Save(*document),
              InsertedBefore(Without(kTwoSectors, kSecondSector), kFirstSector, kSecondSector));
}

TEST(MapEditing, MovedObjectStandsBeforeItsTargetInTheFileButLastInChilds) {
    const auto document = LoadedTwoSectors();
    const Ptr second = document->Sectors.at(2);
    const Ptr planet = Find(*document, 9);
    ASSERT_TRUE(document->MoveObject(planet, Find(*document, 17), false));
    EXPECT_EQ(planet->Parent.lock(), second);
    EXPECT_EQ(Keys(second->Childs), "16k 17k 9k");
    EXPECT_EQ(Keys(document->Sectors.at(1)->Childs), "7k 8k 10k 12k");
    EXPECT_FALSE(planet->Dirty);
    const std::string moved = InsertedBefore(Without(kTwoSectors, kPlanet), kShip, kPlanet);
    EXPECT_EQ(Save(*document), moved);

    ASSERT_TRUE(document->MoveObject(planet, document->Sectors.at(1), true));
    EXPECT_EQ(Keys(document->Sectors.at(1)->Childs), "7k 8k 10k 12k 9k");
    EXPECT_EQ(Save(*document), InsertedBefore(Without(moved, kPlanet),
                                              "</o>\n  <o t=\"1\" s=\"0\" x=\"1\"", kPlanet));
}

TEST(MapEditing, PastedSectorGetsNewIDsThroughout) {
    const auto document = LoadedTwoSectors();
    const Ptr first = document->Sectors.at(1);
    const Ptr second = document->Sectors.at(2);
    const Ptr copy = first->Copy();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Parent.lock(), nullptr);
    EXPECT_EQ(copy->XMLBookmark, 0);
    EXPECT_TRUE(copy->Loaded);
    EXPECT_TRUE(copy->Dirty);
    EXPECT_EQ(Attributes(*copy), Attributes(*first));
    EXPECT_FALSE(document->Sectors.contains(copy->Key()));
    std::function<void(const Ptr&, const Ptr&)> same = [&](const Ptr& original, const Ptr& made) {
        EXPECT_GT(made->ID, 17);
        EXPECT_EQ(document->objects.find(made->Key()), made);
        EXPECT_EQ(Attributes(*made), Attributes(*original));
        ASSERT_EQ(made->Childs.count(), original->Childs.count());
        for (int i = 1; i <= made->Childs.count(); ++i) {
            EXPECT_EQ(Child(made, i)->Parent.lock(), made);
            same(Child(original, i), Child(made, i));
        }
    };
    same(first, copy);

    document->Sectors.add(copy, copy->Key());
    ASSERT_TRUE(document->UpdateObjectXML(copy));
    ASSERT_TRUE(document->MoveObject(copy, second, false));
    EXPECT_EQ(Keys(document->Sectors), "1k " + Text(copy->Key()) + " 5k");
    const std::string copied =
        R"(<o t="1" s="0" x="0" y="0" r="1" color="1193046"><o t="2" s="0"/>)"
        R"(<o t="18" s="0" gid="0" gx="1" gy="0" x="12" y="2"/><o t="4" s="1" x="5" y="6" z="7"/>)"
        R"(<o t="18" s="1" gid="1" gx="0" gy="1"><o t="23" s="9"/></o><o t="5" s="0" x="1">)"
        R"(<o t="23" s="8"><o t="11" s="2" n="0"/></o><o t="23" s="5"/></o></o>)";
    // The copy was written last in the universe, then moved before the second sector.
    EXPECT_EQ(Save(*document), InsertedBefore(InsertedBefore(kTwoSectors, "\n</universe>", "\n  "),
                                              kSecondSector, copied));
}

TEST(MapEditing, ACopyPlacedAfterASaveIsWrittenWithItsAttributes) {
    const auto document = LoadedTwoSectors();
    const Ptr planet = Find(*document, 9);
    const Ptr copy = planet->Copy();
    ASSERT_NE(copy, nullptr);
    Save(*document);
    EXPECT_FALSE(copy->Dirty);
    const Ptr sector = document->Sectors.at(2);
    copy->Parent = sector;
    sector->Childs.add(copy, copy->Key());
    ASSERT_TRUE(document->UpdateObjectXML(copy));
    EXPECT_EQ(Save(*document),
              InsertedBefore(kTwoSectors, "\n  </o>\n</universe>", "\n    " + kPlanet));
}

TEST(MapEditing, CopyingAnUnreadSectorReadsItFirst) {
    const auto document = Open(kTwoSectors);
    const Ptr first = document->Sectors.at(1);
    const Ptr copy = first->Copy();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(first->Loaded);
    EXPECT_EQ(ChildTypes(*copy), "2/0 18/0 4/1 18/1 5/0");
}
