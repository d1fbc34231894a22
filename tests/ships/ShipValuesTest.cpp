#include "ShipTestSupport.h"

#include "platform/BoundedArrayLookups.h"
#include "shell/mdlZorvConst.h"
#include "ships/ShipValues.h"
#include "ships/clsShipParser.h"
#include "tfiles/mdlZorvShips.h"

#include <gtest/gtest.h>

#include <map>

using shiptest::Head;
using shiptest::kTail;

namespace {

// A ship line of 55 values with the given fixed fields.
std::string ShipLine(std::initializer_list<std::pair<int, int>> changed,
                     const std::string& tail = kTail) {
    return Head(changed) + "0;0;" + tail;
}

class ShipValuesTest : public testing::Test {
protected:
    void SetUp() override {
        mdlZorvConst::InitArrays();
        mdlZorvShips::InitShipArrays();
    }

    const clsTXTObject& Ship(const std::string& line) {
        EXPECT_TRUE(tfiletest::LoadBytes(ships, tfiletest::TFile({line}), "TShips.txt"));
        return *ships.FindIndex(0);
    }

    // Loads a table whose lines carry the given name text numbers in value 6.
    void LoadTable(clsTxtParser& table, const std::string& file,
                   const std::vector<std::pair<int, std::string>>& lines) {
        std::vector<std::string> text;
        for (const auto& [nameId, id] : lines)
            text.push_back("0;0;0;0;0;0;" + std::to_string(nameId) + ";0;" + id + ";");
        ASSERT_TRUE(tfiletest::LoadBytes(table, tfiletest::TFile(text), file));
    }

    ShipValues::Lookups WithNames() {
        ShipValues::Lookups lookups{&shields, &missiles, [this](int32_t id) {
                                        const auto found = names.find(id);
                                        return found == names.end()
                                                   ? std::nullopt
                                                   : std::optional<QString>(found->second);
                                    }};
        return lookups;
    }

    clsTxtParser ships;
    clsTxtParser shields;
    clsTxtParser missiles;
    std::map<int32_t, QString> names;
};

TEST_F(ShipValuesTest, DisplayTextsWithAndWithoutUnits) {
    const clsTXTObject& ship = Ship(ShipLine({{2, 0},
                                              {5, 3},
                                              {7, 999},
                                              {8, 111},
                                              {13, 0},
                                              {20, 5},
                                              {22, -1},
                                              {24, 10},
                                              {40, -3},
                                              {41, 3},
                                              {42, 1}},
                                             "11;12;13;14;3;SS_TEST;"));
    clsTXTObject& line = *ships.FindIndex(0);
    line.SetValue(2, 0.5);
    line.SetValue(13, 12.5);
    const ShipValues::Lookups none;
    const struct {
        int32_t index;
        bool unitsLeftOut;
        std::optional<QString> text;
    } cases[] = {
        {7, false, "4.50 - 09.00 m/s"},
        {7, true, "4.50"},
        {8, false, "0.500 m/s"},
        {8, true, "0.500"},
        {2, false, "30.0 rot/min"},
        {2, true, "30.0"},
        {13, false, "12.5 MW"},
        {13, true, "12.5"},
        {40, false, "3 external"},
        {40, true, "3 external"},
        {41, false, "large"},
        {53, false, "large"},
        {5, false, "M1"},
        {22, false, "none"},
        {20, false, "N/A"},
        {9, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShipValues::TranslateValue(ship, c.index, c.unitsLeftOut, none), c.text)
            << c.index << " " << c.unitsLeftOut;
    EXPECT_EQ(ShipValues::TranslateValue(ship, 42, false, none),
              mdlCommon::GetArrayString(mdlZorvConst::RaceNames, 1));

    line.SetValue(40, 0);
    EXPECT_EQ(ShipValues::TranslateValue(ship, 40, false, none), std::nullopt);
    line.SetValue(40, 4);
    EXPECT_EQ(ShipValues::TranslateValue(ship, 40, false, none), "4 internal");
    // A speed of 1000 shows as 4.50, so only an untouched box may keep it.
    line.SetValue(7, 1000);
    EXPECT_EQ(ShipValues::TranslateValue(ship, 7, true, none), "4.50");
    line.SetValue(5, QByteArray("fast"));
    EXPECT_EQ(ShipValues::TranslateValue(ship, 5, false, none), std::nullopt);
}

TEST_F(ShipValuesTest, LaserMasksReadAsThirtyTwoBits) {
    const struct {
        QVariant stored;
        std::optional<int32_t> mask;
    } cases[] = {
        {QVariant(5), 5},
        {QVariant(-1), -1},
        {QVariant(2147483648.0), std::numeric_limits<int32_t>::min()},
        {QVariant(4294967295.0), -1},
        {QVariant(4294967296.0), std::nullopt},
        {QVariant(QByteArray("x")), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShipValues::LaserMask(c.stored), c.mask) << c.stored.toString().toStdString();
}

TEST_F(ShipValuesTest, TextsBackToStoredNumbers) {
    const ShipValues::Lookups none;
    const int32_t size = 55;
    const struct {
        const char* text;
        int32_t index;
        std::optional<double> value;
    } cases[] = {
        {"4.5", 7, 999},
        {"4.51", 7, 1002},
        {"0.5", 8, 111},
        {"-0.5", 8, -111},
        {"30", 2, 0.5},
        {"20", 4, 0.33333},
        {"12.5", 13, 12.5},
        {"large", 41, 3},
        {"large", 53, 3},
        {"4", 41, 4},
        {"M1", 5, 3},
        {"none", 22, -1},
        {"1 MW", 20, 0},
        {"12", 18, 12},
        {"-1", 18, -1},
        {"4294967296", 18, std::nullopt},
        {"2147483648", 18, std::nullopt},
        {"abc", 9, std::nullopt},
        {"Large", 41, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShipValues::TranslateValueBack(c.text, c.index, size, none), c.value)
            << c.text << " at " << c.index;
}

TEST_F(ShipValuesTest, ShieldsAndMissilesByNameByIDAndNeverByTheWrongDuplicate) {
    LoadTable(shields, "TShields.txt", {{100, "SS_SH_A"}, {101, "SS_SH_B"}, {999, "SS_SH_X"}});
    LoadTable(missiles, "TRockets.txt", {{200, "SS_MI_A"}});
    names = {{100, "Alpha"}, {101, "Alpha"}, {200, "Dart"}};
    const ShipValues::Lookups lookups = WithNames();
    const clsTXTObject& ship = Ship(ShipLine({{20, 1}, {22, 0}}));
    clsTXTObject& line = *ships.FindIndex(0);

    EXPECT_EQ(ShipValues::PropertyValues(20, 55, lookups),
              (QStringList{"Alpha (SS_SH_A)", "Alpha (SS_SH_B)", "25 MW"}));
    EXPECT_EQ(ShipValues::TranslateValue(ship, 20, false, lookups), "Alpha (SS_SH_B)");
    line.SetValue(20, 2);
    EXPECT_EQ(ShipValues::TranslateValue(ship, 20, false, lookups), "SS_SH_X");
    line.SetValue(20, 7);
    EXPECT_EQ(ShipValues::TranslateValue(ship, 20, false, lookups), "N/A");
    for (const auto& [text, value] : std::vector<std::pair<QString, double>>{
             {"Alpha (SS_SH_B)", 1}, {"SS_SH_X", 2}, {"25 MW", 2}, {"Alpha (SS_SH_A)", 0}})
        EXPECT_EQ(ShipValues::TranslateValueBack(text, 20, 55, lookups), value)
            << text.toStdString();

    // A list made from the missile table has no "none".
    EXPECT_EQ(ShipValues::PropertyValues(22, 55, lookups), QStringList{"Dart"});
    EXPECT_EQ(ShipValues::TranslateValue(ship, 22, false, lookups), "Dart");
    EXPECT_EQ(ShipValues::TranslateValueBack("none", 22, 55, lookups), std::nullopt);
    EXPECT_EQ(ShipValues::TranslateValueBack("SS_MI_A", 22, 55, lookups), 0);
}

TEST_F(ShipValuesTest, PickListsUnitsAndModes) {
    const ShipValues::Lookups none;
    EXPECT_EQ(ShipValues::PropertyValues(41, 55, none),
              (QStringList{"tiny", "small", "medium", "large", "extra large", "stations"}));
    EXPECT_EQ(ShipValues::PropertyValues(20, 55, none),
              (QStringList{"1 MW", "5 MW", "25 MW", "125 MW"}));
    EXPECT_EQ(ShipValues::PropertyValues(22, 55, none).value(0), "none");
    EXPECT_EQ(ShipValues::PropertyValues(22, 55, none).size(), 9);
    EXPECT_EQ(ShipValues::PropertyValues(5, 55, none).size(), 13);
    EXPECT_TRUE(ShipValues::PropertyValues(9, 55, none).isEmpty());

    const std::map<int32_t, int32_t> modes{{53, 2}, {5, 2}, {20, 2}, {22, 2}, {41, 2}, {42, 2},
                                           {2, 1},  {8, 1}, {13, 1}, {18, 1}, {9, 0},  {47, 0}};
    for (const auto& [index, mode] : modes)
        EXPECT_EQ(ShipValues::SupportValueTranslate(index, 55), mode) << index;
    EXPECT_EQ(ShipValues::ValueUnit(3), "rotations/min");
    EXPECT_EQ(ShipValues::ValueUnit(7), "m/s");
    EXPECT_EQ(ShipValues::ValueUnit(13), "MW");
    EXPECT_EQ(ShipValues::ValueUnit(18), "");
}

TEST_F(ShipValuesTest, Captions) {
    const clsTXTObject& ship = Ship(ShipLine({}));
    const struct {
        int32_t index;
        std::optional<int32_t> gunGroupCount;
        const char* caption;
    } cases[] = {
        {0, 48, "Body ID"},
        {1, 48, "Picture ID"},
        {7, 48, "Speed"},
        {30, 48, "Unknown value"},
        {47, 48, "Turret count"},
        {48, 48, "Gun groups count"},
        {52, 52, "Price modifier (2)"},
        {53, 48, "Ware class"},
        {49, 48, "Volume"},
        {54, 48, "N/A"},
        {48, std::nullopt, "N/A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShipValues::FieldName(ship, c.index, c.gunGroupCount), c.caption) << c.index;
}

TEST_F(ShipValuesTest, TheGunGroupCountFollowsTheTurretSections) {
    const struct {
        const char* turrets;
        std::optional<int32_t> field;
    } cases[] = {{"0", 48},
                 {"1", 52},
                 {"7", 76},
                 {"-1", std::nullopt},
                 {"many", std::nullopt},
                 {"2147483647", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(
            ShipValues::GunGroupCountField(Ship(shiptest::WithField(ShipLine({}), 47, c.turrets))),
            c.field)
            << c.turrets;
}

TEST_F(ShipValuesTest, ValidateReportNamesEveryCorruptedShip) {
    const std::string sound = Head() + "0;0;11;12;13;14;3;SS_GOOD;";
    const std::string tooLong = Head({{19, 4}}) + "0;0;9;11;12;13;14;3;SS_LONG;";
    ASSERT_TRUE(tfiletest::LoadBytes(ships, tfiletest::TFile({sound, tooLong}), "TShips.txt"));
    clsShipParser model;
    ASSERT_TRUE(model.Load(ships)) << model.GetLastError().toStdString();

    QString text;
    EXPECT_FALSE(ShipValues::ValidateShips(model, text));
    EXPECT_EQ(text, "Data in file " + model.FileName +
                        " are probably corrupted.\n\n"
                        "Ship index 1, name \"SS_LONG\":\n"
                        "Calculated size of ship data does not match actual data size - should "
                        "be 55 and it is 56.\n"
                        "Section numbers in file: turrets: 0, gun groups: 0, guns: 4.\n\n");

    ASSERT_TRUE(tfiletest::LoadBytes(ships, tfiletest::TFile({sound}), "TShips.txt"));
    ASSERT_TRUE(model.Load(ships));
    QString untouched = "kept";
    EXPECT_TRUE(ShipValues::ValidateShips(model, untouched));
    EXPECT_EQ(untouched, "kept");
}

} // namespace
