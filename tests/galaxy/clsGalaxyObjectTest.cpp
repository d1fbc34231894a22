#include "GalaxyTestSupport.h"

#include <gmock/gmock.h>

#include <limits>
#include <vector>

using namespace galaxytest;

namespace {

std::string OneSector(const std::string& sector) {
    return "<universe xmlns=\"XUNIVERS.xsd\">" + sector + "</universe>";
}

// The reason a map of one sector element fails to open.
std::string OpenError(const std::string& sector) {
    auto document = clsGalaxyParser::Create();
    EXPECT_FALSE(document->ParseFile(WriteMap(OneSector(sector))));
    EXPECT_FALSE(document->Good);
    return Text(document->GetLastError());
}

} // namespace

TEST(clsGalaxyObject, ReadsAttributeTextsAsWholeNumbers) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"-7", -7},
        {" 12 ", 12},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"+5", 5},
        {"1e3", 1000},
        {".5", 0},
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"word", 0},
        {"", 0},
        {"12abc", 0},
        {"0x10", 0},
        {"1e", 0},
        {"999999999", 999999999},
        {"-999999999", -999999999},
        {"0000000012", 12},
        {"-0", 0},
        {"-", 0},
    };
    std::string sector = "<o t=\"1\"";
    for (std::size_t i = 0; i < cases.size(); ++i)
        sector += " v" + std::to_string(i) + "=\"" + cases[i].first + "\"";
    const auto document = Open(OneSector(sector + "/>"));
    const Ptr read = document->Sectors.at(1);
    ASSERT_EQ(read->PropertyCount(), static_cast<int32_t>(cases.size()) + 1);
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(read->NamedProperty(QString("v%1").arg(i)), cases[i].second)
            << "text \"" << cases[i].first << "\"";
}

TEST(clsGalaxyObject, AnAttributeReadsTheSameWhateverElseTheElementHolds) {
    // Elements holding only the map's own names are read by a way of their
    // own; one other name sends an element the general way.
    const std::vector<std::string> texts = {
        "-7", "12",         " 12 ",      "2.5",        "+5",         "1e3",        "word",
        "",   "0000000012", "999999999", "-999999999", "1234567890", "2147483647", "-2147483648",
        "-0", "-",          "7-",        "1-2"};
    for (const std::string& text : texts) {
        const std::string attributes = "t=\"18\" s=\"3\" gx=\"" + text + "\" x=\"" + text + "\"";
        const auto document = Open(OneSector("<o t=\"1\"><o " + attributes + "/><o " + attributes +
                                             " v=\"" + text + "\"/></o>"));
        ASSERT_TRUE(document->Good) << text << ": " << Text(document->GetLastError());
        const Ptr own = Child(document->Sectors.at(1), 1);
        const Ptr general = Child(document->Sectors.at(1), 2);
        EXPECT_EQ(own->x(), general->NamedProperty("v")) << "text \"" << text << "\"";
        EXPECT_EQ(own->NamedProperty("gx"), general->NamedProperty("gx")) << text;
        EXPECT_EQ(own->x(), general->x()) << text;
        EXPECT_EQ(own->PropertyCount(), 4);
        EXPECT_EQ(own->Property(3)->Name, "gx");
        EXPECT_EQ(own->subtype(), 3);
    }
}

TEST(clsGalaxyObject, RefusesNumbersBeyondThirtyTwoBits) {
    for (const std::string text :
         {"2147483648", "-2147483649", "9999999999", "1e10", "2147483647.5"}) {
        EXPECT_EQ(OpenError("<o t=\"1\" x=\"" + text + "\"/>"),
                  "Failed to load object: The value \"" + text +
                      "\" of attribute \"x\" is not a 32-bit whole number.");
    }
}

TEST(clsGalaxyObject, RefusesOtherElementsAndCaseTwins) {
    EXPECT_EQ(OpenError("<O t=\"1\"/>"), "Failed to load object: Starting tag is not 'o'");
    EXPECT_EQ(OpenError("<sector t=\"1\"/>"), "Failed to load object: Starting tag is not 'o'");
    // A gate is read with the sector, so a misnamed gate fails the open.
    EXPECT_EQ(OpenError("<o t=\"1\"><gate t=\"18\"/></o>"),
              "Failed to load object: Starting tag is not 'o'");
    EXPECT_EQ(OpenError("<o t=\"1\" x=\"1\" X=\"2\"/>"),
              "Failed to load object: The attributes \"x\" and \"X\" differ only in letter case.");
    EXPECT_EQ(OpenError("<o X=\"1\" t=\"1\" x=\"2\"/>"),
              "Failed to load object: The attributes \"X\" and \"x\" differ only in letter case.");
    std::string many = "<o t=\"1\"";
    for (int i = 0; i < 20; ++i)
        many += " a" + std::to_string(i) + "=\"1\"";
    EXPECT_EQ(OpenError(many + " A7=\"2\" />"),
              "Failed to load object: The attributes \"a7\" and \"A7\" differ only in letter "
              "case.");
}

TEST(clsGalaxyObject, RefusesObjectsNestedBeyondAnyMap) {
    std::string gate;
    for (int level = 0; level < 300; ++level)
        gate += "<o t=\"18\">";
    for (int level = 0; level < 300; ++level)
        gate += "</o>";
    EXPECT_EQ(OpenError("<o t=\"1\">" + gate + "</o>"),
              "Failed to load object: Objects are nested deeper than 256 levels.");
}

TEST(clsGalaxyObject, ElementWithoutAttributesReadsAsZeros) {
    const auto document = Open(OneSector("<o/>"));
    const Ptr sector = document->Sectors.at(1);
    EXPECT_EQ(sector->PropertyCount(), 0);
    EXPECT_EQ(sector->otype() | sector->subtype() | sector->x() | sector->y() | sector->z(), 0);
    EXPECT_FALSE(sector->Dirty);
}

TEST(clsGalaxyObject, AttributesByPositionAndNameIgnoringCase) {
    const auto document = clsGalaxyParser::Create();
    const Ptr object = document->NewGalObject(nullptr);
    object->Setx(1);
    object->Setotype(7);
    object->AddProperty("X", 5);
    EXPECT_EQ(object->PropertyCount(), 2);
    EXPECT_EQ(Text(object->Property(1)->Name), "x");
    EXPECT_EQ(object->Property(1)->Value, 5);
    EXPECT_EQ(object->Property("X"), object->Property(1));
    EXPECT_EQ(object->Property(3), nullptr);
    EXPECT_EQ(object->Property(0), nullptr);
    EXPECT_EQ(object->Property("gid"), nullptr);
    EXPECT_EQ(object->NamedProperty("gid"), 0);
    EXPECT_EQ(Text(object->ObjectTypeName()), "Ship");

    object->Dirty = false;
    object->RemoveProperty("T");
    EXPECT_TRUE(object->Dirty);
    EXPECT_EQ(object->otype(), 0);
    EXPECT_EQ(Text(object->ObjectTypeName()), "N/A");
    object->RemoveProperty(1);
    EXPECT_EQ(object->PropertyCount(), 0);

    object->ID = 17;
    EXPECT_EQ(Text(object->Key()), "17k");
}

TEST(clsGalaxyObject, NamedAccessorsFollowEveryChangeOfTheAttributes) {
    const auto document = Open(OneSector("<o T=\"3\" S=\"2\" x=\"4\" N=\"2100\" gx=\"8\"/>"));
    const Ptr object = document->Sectors.at(1);
    const auto expect = [&](std::vector<int32_t> values) {
        const std::vector<int32_t> accessors = {object->otype(), object->subtype(),
                                                object->x(),     object->y(),
                                                object->z(),     object->description()};
        EXPECT_EQ(accessors, values);
        const std::vector<int32_t> named = {object->NamedProperty("t"), object->NamedProperty("s"),
                                            object->NamedProperty("x"), object->NamedProperty("y"),
                                            object->NamedProperty("z"), object->NamedProperty("n")};
        EXPECT_EQ(named, values);
    };
    expect({3, 2, 4, 0, 0, 2100});
    object->Property("x")->Value = 9;
    ++object->Property("t")->Value;
    expect({4, 2, 9, 0, 0, 2100});
    object->RemoveProperty("t");
    object->RemoveProperty(1);
    expect({0, 0, 9, 0, 0, 2100});
    clsProperty renamed;
    renamed.Name = "y";
    renamed.Value = 6;
    renamed.CopyTo(*object->Property("x"));
    object->AddProperty("Z", 2);
    object->AddProperty("n", 5);
    expect({0, 0, 0, 6, 2, 5});
    EXPECT_EQ(object->NamedProperty("gx"), 8);
}

TEST(clsGalaxyObject, NamespaceDeclarationsAreNoAttributesAndSurviveRewrite) {
    const auto document =
        Open(OneSector("<o xmlns=\"XUNIVERS.xsd\" xmlns:q=\"urn:q\" t=\"1\" x=\"3\"/>"));
    const Ptr sector = document->Sectors.at(1);
    EXPECT_EQ(sector->PropertyCount(), 2);
    sector->Setx(4);
    EXPECT_EQ(Save(*document),
              OneSector("<o xmlns=\"XUNIVERS.xsd\" xmlns:q=\"urn:q\" t=\"1\" x=\"4\"/>"));
}

TEST(clsGalaxyObject, RemovingAnAbsentAttributeKeepsTheElementAsRead) {
    const std::string map = OneSector("<o t=\"1\" x=\" 12 \"/>");
    const auto document = Open(map);
    const Ptr sector = document->Sectors.at(1);
    sector->RemoveProperty("gid");
    sector->RemoveProperty(3);
    sector->RemoveProperty(0);
    EXPECT_FALSE(sector->Dirty);
    EXPECT_EQ(Save(*document), map);
}

TEST(clsGalaxyObject, PropertyCopiesAndClones) {
    clsProperty property;
    property.Name = "gx";
    property.Value = -3;
    clsProperty copy;
    property.CopyTo(copy);
    EXPECT_EQ(Text(copy.Key()), "gx");
    EXPECT_EQ(copy.Value, -3);
    const auto clone = property.Clone();
    clone->Value = 4;
    EXPECT_EQ(property.Value, -3);
    EXPECT_EQ(Text(clone->Name), "gx");
}

TEST(clsGalaxyObject, EveryAttributeNameReadIsWrittenBack) {
    // Names XML allows beyond letters and digits: a middle dot, a combining
    // mark, a letter outside the basic plane, a prefix.
    const std::string names[] = {"a\xC2\xB7"
                                 "b",
                                 "e\xCC\x81", "\xF0\x90\x80\x80", "q:x", "_-.9"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto document = Open(OneSector("<o t=\"1\" " + name + "=\"3\" x=\"1\"/>"));
        ASSERT_TRUE(document->Good) << Text(document->GetLastError());
        const Ptr sector = document->Sectors.at(1);
        sector->Setx(2);
        EXPECT_EQ(Save(*document), OneSector("<o t=\"1\" " + name + "=\"3\" x=\"2\"/>"));
    }
}

TEST(clsGalaxyObject, ANameThatCannotBeWrittenIsRefusedNeverDropped) {
    // The parser takes this one, XML does not: the map refuses it on reading.
    EXPECT_EQ(OpenError("<o t=\"1\" a\xC3\x97"
                        "b=\"3\"/>"),
              "Failed to load object: The attribute name \"a\xC3\x97"
              "b\" is not a valid XML name.");

    // One given to the model fails the save and leaves the element as it was.
    const std::string map = OneSector("<o t=\"1\" x=\"1\"/>");
    const auto document = Open(map);
    const Ptr sector = document->Sectors.at(1);
    sector->AddProperty(QString::fromUtf8("a\xC3\x97"
                                          "b"),
                        3);
    sector->Setx(2);
    EXPECT_FALSE(document->SaveFile(PathOf("refused.xml"), 1));
    EXPECT_THAT(Text(document->GetLastError()), testing::HasSubstr("cannot be written"));
    EXPECT_TRUE(sector->Dirty);
    sector->RemoveProperty(QString::fromUtf8("a\xC3\x97"
                                             "b"));
    EXPECT_EQ(Save(*document), OneSector("<o t=\"1\" x=\"2\"/>"));
}

TEST(clsGalaxyObject, AValueChangedThroughPropertyIsSaved) {
    const auto document = Open(OneSector("<o t=\"1\" x=\"1\" y=\"5\"/>"));
    const Ptr sector = document->Sectors.at(1);
    ASSERT_FALSE(sector->Dirty);
    sector->Property("x")->Value = 7;
    EXPECT_TRUE(sector->Dirty);
    sector->Dirty = false;
    ++sector->Property(2)->Value;
    EXPECT_TRUE(sector->Dirty);
    for (const auto& property : sector->NewEnum())
        property->Value += 10;
    EXPECT_EQ(Save(*document), OneSector("<o t=\"11\" x=\"18\" y=\"15\"/>"));

    // An attribute the object let go, or one that outlives it, changes
    // nothing of it.
    const auto removed = sector->Property("y");
    sector->RemoveProperty("y");
    sector->Dirty = false;
    removed->Value = 1;
    EXPECT_FALSE(sector->Dirty);
    const auto kept = sector->Property("x");
    document->NewFile();
    kept->Value = 3;
    EXPECT_EQ(kept->Value, 3);
}

TEST(clsGalaxyObject, AHeldAttributeOutlivesItsObjectAndEveryReRead) {
    const auto document = Open(OneSector("<o t=\"1\" x=\"1\"><o t=\"2\" s=\"4\"/></o>"));
    Ptr sector = document->Sectors.at(1);
    const auto read = sector->Property("x");
    sector->AddProperty("q", 6);
    const auto added = sector->Property("q");
    EXPECT_EQ(sector->Property(3), added);

    // Reading the element again (after writing it) replaces the attributes:
    // the held ones are the object's no more.
    ASSERT_TRUE(document->LoadSectorChildren(sector)) << Text(document->GetLastError());
    EXPECT_NE(sector->Property("x"), read);
    EXPECT_NE(sector->Property("q"), added);
    EXPECT_EQ(sector->NamedProperty("q"), 6);
    sector->Dirty = false;
    read->Value = 9;
    added->Value = 9;
    EXPECT_FALSE(sector->Dirty);
    EXPECT_EQ(sector->x(), 1);
    EXPECT_EQ(sector->NamedProperty("q"), 6);

    // Removed while held, and held while the object goes.
    sector->AddProperty("q", 7);
    const auto removed = sector->Property("q");
    sector->RemoveProperty("q");
    removed->Value = 8;
    EXPECT_EQ(removed->Value, 8);
    EXPECT_EQ(sector->PropertyCount(), 2);
    const auto kept = sector->Property("x");
    sector.reset();
    document->NewFile();
    kept->Value = 5;
    EXPECT_EQ(kept->Value, 5);
    EXPECT_EQ(Text(kept->Name), "x");
}
