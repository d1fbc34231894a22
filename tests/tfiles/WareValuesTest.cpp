#include "tfiles/WareValues.h"
#include "shell/mdlZorvConst.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace WareValues::Kinds;

class WareValuesTest : public testing::Test {
protected:
    void SetUp() override { mdlZorvConst::InitArrays(); }
};

struct ForwardCase {
    int32_t kind;
    int32_t index;
    QVariant value;
    std::optional<const char*> withUnits;
    std::optional<const char*> unitsLeftOut;
};

TEST_F(WareValuesTest, StoredValuesTranslateToTheirDisplayTexts) {
    const ForwardCase cases[] = {
        {kLasers, 7, 200, "300 rnd/min", "300"},
        {kLasers, 7, 0, "0", "0"}, // a delay of 0 has no rate and divides by nothing
        {kLasers, 8, 200, std::nullopt, std::nullopt},
        {kBullets, 11, 2220, "10 m/s", "10"},
        {kBullets, 10, 1500, "1.5 s", "1.5"},
        {kBullets, 10, 2000, "2.0 s", "2.0"},
        {kBullets, 13, 5, "0x05", "05"},
        {kBullets, 14, 255, "0xFF", "FF"},
        {kBullets, 15, 0, "0x0", "0"},
        {kBullets, 12, 7, std::nullopt, std::nullopt},
        {kMissiles, 7, 2220, "10 m/s", "10"},
        {kMissiles, 14, 1500, "2 s", "2"}, // whole seconds, halves to even
        {kMissiles, 14, 2500, "2 s", "2"},
        {kFactories, 13, 3, "Halmorid", "Halmorid"},
        {kDocks, 13, 11, "N/A", "N/A"},
        {kWares, 11, 2, "medium", "medium"}, // size - 2 of a ware line
        {kShields, 15, 5, "stations", "stations"},
        {kShields, 15, 9, "N/A", "N/A"},
        {kLasers, 7, QByteArray("fast"), std::nullopt, std::nullopt}, // text is shown raw
    };
    for (const ForwardCase& c : cases) {
        const int32_t size = WareValues::LineSize(c.kind);
        const auto shown = WareValues::TranslateValue(c.kind, c.index, size, c.value, false);
        const auto bare = WareValues::TranslateValue(c.kind, c.index, size, c.value, true);
        const std::string where = "kind " + std::to_string(c.kind) + " index " +
                                  std::to_string(c.index) + " value " +
                                  c.value.toString().toStdString();
        ASSERT_EQ(shown.has_value(), c.withUnits.has_value()) << where;
        if (shown) {
            EXPECT_EQ(*shown, *c.withUnits) << where;
            EXPECT_EQ(*bare, *c.unitsLeftOut) << where;
        }
    }
}

struct BackCase {
    int32_t kind;
    int32_t index;
    const char* text;
    std::optional<double> value;
};

TEST_F(WareValuesTest, DisplayTextsTranslateBackOrAreRefused) {
    const BackCase cases[] = {
        {kLasers, 7, "300", 200},
        {kLasers, 7, "600", 100},
        {kLasers, 7, "0", std::nullopt}, // no rate of fire is no delay
        {kLasers, 7, "fast", std::nullopt},
        {kBullets, 11, "10", 2220},
        {kBullets, 11, "1.5", 444},               // 1.5 m/s rounds to 2
        {kBullets, 11, "99999999", std::nullopt}, // past 32 bits
        {kBullets, 10, "1.5", 1500},
        {kMissiles, 7, "10", 2220},
        {kMissiles, 14, "2", 2000},
        {kMissiles, 14, "3000000", std::nullopt},
        {kBullets, 13, "ff", 255},
        {kBullets, 14, "FF", 255},
        {kBullets, 15, "", 0},
        {kBullets, 13, "0xFF", std::nullopt},
        {kBullets, 13, "G1", std::nullopt},
        {kBullets, 13, "FFFF", std::nullopt},      // beyond a byte
        {kBullets, 13, "123456789", std::nullopt}, // nine digits
        {kWares, 11, "medium", 2},
        {kWares, 11, "Medium", std::nullopt}, // names match in their own case only
        {kWares, 11, "3", 3},
        {kFactories, 13, "Halmorid", 3},
        {kDocks, 13, "4", 4},
        {kShields, 5, "12.5", 12.5},
        {kShields, 5, "twelve", std::nullopt},
    };
    for (const BackCase& c : cases) {
        const auto value =
            WareValues::TranslateValueBack(c.kind, c.index, WareValues::LineSize(c.kind), c.text);
        const std::string where = "kind " + std::to_string(c.kind) + " index " +
                                  std::to_string(c.index) + " text " + c.text;
        ASSERT_EQ(value.has_value(), c.value.has_value()) << where;
        if (value) {
            EXPECT_EQ(*value, *c.value) << where;
        }
    }
}

TEST_F(WareValuesTest, ModesUnitsAndPickLists) {
    struct ModeCase {
        int32_t kind;
        int32_t index;
        int32_t mode;
        const char* unit;
    };
    const ModeCase cases[] = {
        {kShields, 15, 2, ""},
        {kShields, 7, 0, ""},
        {kLasers, 7, 1, "Rnds/min"},
        {kLasers, 16, 2, ""},
        {kBullets, 10, 1, ""},
        {kBullets, 11, 1, "m/s"},
        {kBullets, 13, 1, "Hexadecimal"},
        {kBullets, 31, 2, ""},
        {kMissiles, 7, 1, "m/s"},
        {kMissiles, 14, 1, "s"},
        {kMissiles, 29, 2, ""},
        {kWares, 11, 2, ""},
        {kFactories, 13, 2, ""},
        {kDocks, 20, 2, ""},
        {kSpecials, 12, 0, ""},
    };
    for (const ModeCase& c : cases) {
        const int32_t size = WareValues::LineSize(c.kind);
        EXPECT_EQ(WareValues::SupportValueTranslate(c.kind, c.index, size), c.mode)
            << c.kind << "/" << c.index;
        EXPECT_EQ(WareValues::ValueUnit(c.kind, c.index), c.unit) << c.kind << "/" << c.index;
    }
    EXPECT_EQ(WareValues::PropertyValues(kWares, 11, 13),
              QStringList({"tiny", "small", "medium", "large", "extra large", "stations"}));
    EXPECT_EQ(WareValues::PropertyValues(kDocks, 13, 22).first(), "Aubrenn");
    EXPECT_EQ(WareValues::PropertyValues(kDocks, 13, 22).size(), 10);
    EXPECT_TRUE(WareValues::PropertyValues(kLasers, 7, 18).isEmpty());
}

TEST_F(WareValuesTest, BulletRangeAndColour) {
    EXPECT_EQ(WareValues::BulletRange(2000, 222000), "2 km");
    EXPECT_EQ(WareValues::BulletRange(500, 444), "1 m");
    EXPECT_EQ(WareValues::BulletRange(1500, 222000), "1.5 km");
    EXPECT_EQ(WareValues::BulletRange(1000, 1234 * 222), "1.234 km");
    EXPECT_EQ(WareValues::BulletRange(QByteArray("long"), 222), "[error]");
    EXPECT_EQ(WareValues::BulletRange(1e12, 1e12), "[error]");

    const int32_t orange = WareValues::BulletColor(0, 128, 255);
    EXPECT_EQ(WareValues::ColorText(orange), "0xFF8000");
    // A component stored as a 16-bit number above 32767 counts by its low byte.
    EXPECT_EQ(WareValues::BulletColor(40000, 0, 0), 40000 & 0xFF);
    const auto components = WareValues::BulletColorComponents(16 << 16 | 32 << 8 | 48);
    EXPECT_EQ(components, (std::array<int32_t, 3>{48, 32, 16}));
}

TEST_F(WareValuesTest, ScriptIDBasesAndTitles) {
    EXPECT_EQ(WareValues::ScriptIDBase(kLasers, QChar()) + 5, 524293);
    EXPECT_EQ(WareValues::ScriptIDBase(kWares, u't'), 1048576);
    EXPECT_EQ(WareValues::ScriptIDBase(kWares, u'T'), 1048576);
    EXPECT_EQ(WareValues::ScriptIDBase(kWares, u'x'), 0);
    EXPECT_EQ(WareValues::ScriptIDBase(kDocks, QChar()), 0);
    EXPECT_EQ(WareValues::ScriptIDBase(kFactories, QChar()), 0x60000);

    EXPECT_EQ(WareValues::KindOfTitle("TWareB"), kWares);
    EXPECT_EQ(WareValues::KindOfTitle("tlaser"), kLasers);
    EXPECT_EQ(WareValues::KindOfTitle("TShields_TLaser"), kLasers);
    EXPECT_EQ(WareValues::KindOfTitle("TCockpits"), std::nullopt);
    EXPECT_EQ(WareValues::ObjectTypeName(kWares), "Warez :) ");
    EXPECT_EQ(WareValues::PageName(kSpecials), "Sepcial object info");
    EXPECT_EQ(WareValues::QueryInfo(kBullets), 0);
    EXPECT_EQ(WareValues::QueryInfo(kFactories), 3);
    EXPECT_EQ(WareValues::QueryInfo(kLasers), 1);
    EXPECT_EQ(WareValues::FieldName(kLasers, 10), "Energy");
    EXPECT_EQ(WareValues::FieldName(kSpecials, 10), "N/A");
}

} // namespace
