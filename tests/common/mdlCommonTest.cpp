#include "common/mdlCommon.h"
#include "galaxy/clsGalaxyObject.h"
#include "platform/ZorvError.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/TFileTestSupport.h"
#include "tfiles/mdlZorvShips.h"

#include <gtest/gtest.h>

namespace mdlCommon {
void PrintTo(const ListRow& row, std::ostream* out) {
    *out << "{" << row.caption.toStdString() << " | " << row.value.toStdString() << " | "
         << row.tag.toString().toStdString() << (row.tag.isValid() ? "" : "(none)") << " | "
         << row.third.toStdString() << "}";
}
} // namespace mdlCommon

namespace {

using mdlCommon::ListRow;
using TextTable = platform::BoundedArray<QString>;

TEST(GetArrayString, EntriesEmptyEntriesAndBounds) {
    const TextTable table(-1, {"minus one", "", "one"});
    const struct {
        int32_t index;
        const char* expected;
    } cases[] = {{-2, "N/A"}, {-1, "minus one"}, {0, "Unknown value"}, {1, "one"}, {2, "N/A"}};
    for (const auto& c : cases)
        EXPECT_EQ(mdlCommon::GetArrayString(table, c.index), c.expected) << "index " << c.index;
    EXPECT_EQ(mdlCommon::GetArrayString(TextTable(), 0), "N/A");

    mdlZorvConst::InitArrays();
    EXPECT_EQ(mdlCommon::GetArrayString(mdlZorvConst::RaceNames, 0), "N/A");
    EXPECT_EQ(mdlCommon::GetArrayString(mdlZorvConst::RaceNames, 11), "N/A");
}

TEST(FindInArray, FirstExactMatchOnly) {
    const TextTable table(-1, {"a", "B", "a", ""});
    int32_t index = 99;
    EXPECT_TRUE(mdlCommon::FindInArray("a", table, index));
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(mdlCommon::FindInArray("", table, index));
    EXPECT_EQ(index, 2);
    index = 99;
    EXPECT_FALSE(mdlCommon::FindInArray("b", table, index)); // case matters
    EXPECT_FALSE(mdlCommon::FindInArray("a", TextTable(), index));
    EXPECT_EQ(index, 99);
}

TEST(UnescapeText, ReplacesInOrderIgnoringCase) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"plain", "plain"},
        {"one(||)two", "one\r\ntwo"},
        {"a(||)(||)b", "a\r\n\r\nb"},
        {"a\\nb\\Nc", "a\r\nb\r\nc"},
        {"x\\ty\\Tz", "x\ty\tz"},
        {"(||)\\n\\t", "\r\n\r\n\t"},
        {"back\\\\slash", "back\\\\slash"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mdlCommon::UnescapeText(c.stored), c.shown) << c.stored;
}

TEST(RecentFiles, AddMovesToTheFrontAndKeepsFive) {
    const struct {
        QStringList before;
        const char* added;
        QStringList after;
    } cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b", "c", "d", "e"}, "c", {"c", "a", "b", "d", "e"}},
        {{"a", "b", "c", "d", "e"}, "f", {"f", "a", "b", "c", "d"}},
        // a longer stored list loses one entry per addition
        {{"a", "b", "c", "d", "e", "g", "h"}, "f", {"f", "a", "b", "c", "d", "g", "h"}},
        // exact comparison: another spelling is another path
        {{"A", "b"}, "a", {"a", "A", "b"}},
    };
    for (const auto& c : cases) {
        QStringList list = c.before;
        mdlCommon::AddRecentFile(c.added, list);
        EXPECT_EQ(list, c.after) << c.added;
    }
}

TEST(RecentFiles, RemoveTakesTheFirstEqualEntry) {
    QStringList list{"a", "b", "a"};
    mdlCommon::RemoveRecentFile("a", list);
    EXPECT_EQ(list, (QStringList{"b", "a"}));
    mdlCommon::RemoveRecentFile("B", list);
    EXPECT_EQ(list, (QStringList{"b", "a"}));
}

TEST(VFSPath, SplitsAtTheFirstSeparator) {
    const struct {
        const char* path;
        const char* catalog;
        const char* file;
    } cases[] = {
        {"/data/01.cat::types\\TShips.txt", "/data/01.cat", "types\\TShips.txt"},
        {"a.cat::b::c", "a.cat", "b::c"},
        {"/data/types/TShips.txt", "/data/types/TShips.txt", ""},
        {"x.cat::", "x.cat", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mdlCommon::GetVFSCatalogPart(c.path), c.catalog) << c.path;
        EXPECT_EQ(mdlCommon::GetVFSFilePart(c.path), c.file) << c.path;
    }
}

TEST(GetLanguageName, ByLanguageNumber) {
    mdlZorvConst::InitArrays();
    EXPECT_EQ(mdlCommon::GetLanguageName(44), "English");
    EXPECT_EQ(mdlCommon::GetLanguageName(33), "French");
    EXPECT_EQ(mdlCommon::GetLanguageName(7), "");
}

TEST(RaiseIndexError, BoundsAreInclusive) {
    EXPECT_NO_THROW(mdlCommon::RaiseIndexError(1, 1, 3, "clsTurret"));
    EXPECT_NO_THROW(mdlCommon::RaiseIndexError(3, 1, 3, "clsTurret"));
    try {
        mdlCommon::RaiseIndexError(4, 1, 3, "clsTurret");
        FAIL() << "no error raised";
    } catch (const platform::ZorvError& error) {
        EXPECT_EQ(error.number(), static_cast<int32_t>(0x80040064));
        EXPECT_EQ(error.source(), "clsTurret");
        EXPECT_EQ(error.description(), "List index out of bounds.");
    }
    EXPECT_THROW(mdlCommon::RaiseIndexError(0, 1, 0, "clsGun"), platform::ZorvError);
}

struct Sortable {
    int32_t sortIndex;
    int32_t SortIndex() const { return sortIndex; }
};

TEST(AddSorted, InsertsAfterEqualItems) {
    platform::KeyedCollection<Sortable> collection;
    const int32_t order[] = {5, 1, 5, 3, 0, 9};
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(mdlCommon::AddSorted(collection, std::make_shared<Sortable>(Sortable{order[i]}),
                                         QString::number(i) + "k"));
    QStringList keys;
    for (int position = 1; position <= collection.count(); ++position)
        keys << collection.keyAt(position);
    EXPECT_EQ(keys, (QStringList{"4k", "1k", "3k", "0k", "2k", "5k"}));
    EXPECT_FALSE(mdlCommon::AddSorted(collection, std::make_shared<Sortable>(Sortable{2}), "3K"));
    EXPECT_EQ(collection.count(), 6);
}

TEST(GetSectorOf, NearestSectorUpTheParents) {
    const auto sector = std::make_shared<clsGalaxyObject>();
    sector->Setotype(1);
    const auto station = std::make_shared<clsGalaxyObject>();
    station->Setotype(5);
    station->Parent = sector;
    const auto dock = std::make_shared<clsGalaxyObject>();
    dock->Setotype(6);
    dock->Parent = station;
    const auto alone = std::make_shared<clsGalaxyObject>();

    EXPECT_EQ(mdlCommon::GetSectorOf(sector), sector);
    EXPECT_EQ(mdlCommon::GetSectorOf(dock), sector);
    EXPECT_EQ(mdlCommon::GetSectorOf(alone), nullptr);
    EXPECT_EQ(mdlCommon::GetSectorOf(std::shared_ptr<clsGalaxyObject>()), nullptr);
}

TEST(GetSectorOf, ACycleOfParentsEndsWithNothing) {
    const auto first = std::make_shared<clsGalaxyObject>();
    const auto second = std::make_shared<clsGalaxyObject>();
    first->Parent = second;
    second->Parent = first;
    EXPECT_EQ(mdlCommon::GetSectorOf(first), nullptr);
    const auto self = std::make_shared<clsGalaxyObject>();
    self->Parent = self;
    EXPECT_EQ(mdlCommon::GetSectorOf(self), nullptr);
}

// Ware-like lines loaded through the object store.
class WareRows : public testing::Test {
protected:
    void SetUp() override { mdlZorvConst::InitArrays(); }

    std::shared_ptr<clsTXTObject> Line(const std::string& values, int32_t kind) {
        m_parsers.push_back(std::make_unique<clsTxtParser>());
        clsTxtParser& parser = *m_parsers.back();
        const std::string name = "T" + std::to_string(m_parsers.size()) + ".txt";
        EXPECT_TRUE(tfiletest::LoadBytes(parser, tfiletest::TFile({values}), name))
            << parser.GetLastError().toStdString();
        auto object = parser.FindIndex(0);
        object->otype = kind;
        return object;
    }

    // A shield line: 17 values, the price at 12, the ware class at 15.
    std::shared_ptr<clsTXTObject> Shield(const std::string& price, const std::string& wareClass) {
        return Line("10;11;2;3;4;5;6;7;8;9;10;250;" + price + ";13;14;" + wareClass + ";SS_SH_1;",
                    2);
    }

private:
    std::vector<std::unique_ptr<clsTxtParser>> m_parsers;
};

TEST_F(WareRows, CommonCaptionsByIndex) {
    const auto shield = Shield("1000", "2");
    const struct {
        int32_t index;
        const char* caption; // nullptr: not a common value
    } cases[] = {{0, "Body ID"},
                 {1, "Picture ID"},
                 {5, nullptr},
                 {10, nullptr},
                 {11, "Volume"},
                 {12, "Price"},
                 {13, "Price modifier (1)"},
                 {14, "Price modifier (2)"},
                 {15, "Ware class"},
                 {16, "N/A"}};
    for (const auto& c : cases) {
        QString caption = "untouched";
        EXPECT_EQ(mdlCommon::GetCommonFieldCaption(*shield, c.index, caption), c.caption != nullptr)
            << "index " << c.index;
        EXPECT_EQ(caption, c.caption ? c.caption : "untouched") << "index " << c.index;
    }
}

TEST_F(WareRows, HeadAndTailRows) {
    const auto shield = Shield("1000", "2");
    EXPECT_EQ(mdlCommon::CommonHeadRows(*shield),
              (QList<ListRow>{{"Body ID", "10", 0, "0"}, {"Picture ID", "11", 1, "1"}}));
    EXPECT_EQ(mdlCommon::CommonTailRows(*shield),
              (QList<ListRow>{{"Volume", "250", 11, "11"},
                              {"Price", "1000", 12, "12"},
                              {"Price modifier (1)", "13", 13, "13"},
                              {"Price modifier (2)", "14", 14, "14"},
                              {"Ware class", "medium", 15, "15"}}));
}

TEST_F(WareRows, WareClassOutsideTheTableOrTextShowsNA) {
    for (const std::string wareClass : {"6", "-1", "large"})
        EXPECT_EQ(mdlCommon::CommonTailRows(*Shield("1000", wareClass)).last().value, "N/A")
            << wareClass;
    EXPECT_EQ(mdlCommon::CommonTailRows(*Shield("1000", "4.5")).last().value, "extra large")
        << "4.5 rounds to 4";
}

TEST_F(WareRows, ShortLinesShowNAForMissingValues) {
    const auto line = Line("7;8;ID;", 2);
    const QList<ListRow> tail = mdlCommon::CommonTailRows(*line);
    ASSERT_EQ(tail.size(), 5);
    EXPECT_EQ(tail[0], (ListRow{"Volume", "N/A", QVariant(), "-3"}));
    // values 0 and 1 keep their head captions
    EXPECT_EQ(tail[3], (ListRow{"Body ID", "7", 0, "0"}));
    EXPECT_EQ(tail[4], (ListRow{"Picture ID", "N/A", 1, "1"})); // 8 is no cargo class
    EXPECT_EQ(mdlCommon::WarePriceRow(*line, 12).value, "N/A");
}

TEST_F(WareRows, PriceUsesTheSinglePrecisionFactor) {
    const struct {
        std::string price;
        int32_t kind;
        const char* shown;
    } cases[] =
        {
            {"1000", 2, "28075 cr"}, {"1000", 3, "28075 cr"},
            {"20", 2, "562 cr"}, // 561.5000153 with the single factor, 561.4999999 in double
            {"2.5", 7, "2 cr"},  // halves to even
            {"3.5", 7, "4 cr"},      {"1000", 4, "0 cr"},
            {"-1", 5, "0 cr"},       {"lots", 2, "N/A"},
            {"1000", 0, "N/A"}, // a kind without a price factor
        };
    for (const auto& c : cases) {
        const auto line = Line("0;0;0;0;0;0;0;0;0;0;0;0;" + c.price + ";0;0;0;ID;", c.kind);
        EXPECT_EQ(mdlCommon::WarePriceRow(*line, 12),
                  (ListRow{"Price info", c.shown, QVariant(), QString()}))
            << c.price << " kind " << c.kind;
    }
}

} // namespace
