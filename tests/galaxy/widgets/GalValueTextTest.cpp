#include "galaxy/widgets/GalValueText.h"

#include <gtest/gtest.h>

#include <string>

using namespace GalValueText;

namespace {

std::string Text(const QString& text) {
    return text.toStdString();
}

TEST(GalValueTextTest, PanelDistances) {
    struct Case {
        int32_t value;
        int32_t unit;
        const char* text;
    };
    for (const Case& c : {Case{22200, Meters, "100.000 m"}, Case{444000, Meters, "2.000 km"},
                          Case{-444000, Meters, "-2.000 km"}, Case{411144, Miles, "1.000 nm"},
                          Case{411144, GameUnits, "411144"}, Case{111, Meters, "0.000 m"},
                          Case{333, Meters, "2.000 m"}})
        EXPECT_EQ(Text(DistanceText(c.value, c.unit)), c.text) << c.value;
}

TEST(GalValueTextTest, PanelColoursAndAngles) {
    EXPECT_EQ(Text(ColorText(0xFF8000, false)), "RGB 255 128 0");
    EXPECT_EQ(Text(ColorText(0xFF8000, true)), "RGB FF 80 0");
    EXPECT_EQ(Text(ColorText(0, true)), "RGB 0 0 0");
    EXPECT_EQ(Text(ColorText(0x050A0B, true)), "RGB 05 0A 0B");
    // A negative value keeps its third byte as red.
    EXPECT_EQ(Text(ColorText(static_cast<int32_t>(0xFF808080), false)), "RGB 128 128 128");
    EXPECT_EQ(Text(AngleText(10, true)), "0x0A");
    EXPECT_EQ(Text(AngleText(0, true)), "0x0");
    EXPECT_EQ(Text(AngleText(300, true)), "0x012C");
    EXPECT_EQ(Text(AngleText(300, false)), "300");
}

TEST(GalValueTextTest, ModesByNameAndType) {
    EXPECT_EQ(ModeOf("Color", 1), Mode::Color);
    EXPECT_EQ(ModeOf("x", 1), Mode::Plain);
    EXPECT_EQ(ModeOf("x", 4), Mode::Length);
    EXPECT_EQ(ModeOf("s", 23), Mode::List);
    EXPECT_EQ(ModeOf("s", 2), Mode::Plain);
    EXPECT_EQ(ModeOf("s", 1), Mode::Plain);
    EXPECT_EQ(ModeOf("s", 7), Mode::List);
    EXPECT_EQ(ModeOf("s", 7, true), Mode::Plain);
    EXPECT_EQ(ModeOf("gtid", 18), Mode::List);
    EXPECT_EQ(ModeOf("b", 4), Mode::Angle);
    EXPECT_EQ(ModeOf("aamount", 17), Mode::Plain);
}

struct ReadCase {
    Mode mode;
    const char* name;
    int32_t type;
    int32_t unit;
    bool hexa;
    const char* text;
    bool read;
    int32_t value;
    const char* error;
};

TEST(GalValueTextTest, ReadingTheValueBox) {
    const char* range = "Allowed coordinates values: X >= 0 and <=19, Y>=0 and <=14.";
    const ReadCase cases[] = {
        {Mode::Length, "x", 4, Meters, false, "1.000", true, 222, ""},
        {Mode::Length, "x", 4, Miles, false, "1", true, 411144, ""},
        {Mode::Length, "x", 4, GameUnits, false, "17", true, 17, ""},
        {Mode::Length, "x", 4, Meters, false, "abc", false, 0, ""},
        {Mode::Length, "x", 4, Miles, false, "99999", false, 0, ""},
        {Mode::Color, "color", 1, Meters, false, "FF8000", true, 16744448, ""},
        {Mode::Color, "color", 1, Meters, false, "FG", false, 0, ""},
        {Mode::Color, "color", 1, Meters, false, "123456789", false, 0, ""},
        {Mode::Angle, "a", 4, Meters, true, "0A", true, 10, ""},
        {Mode::Angle, "a", 4, Meters, false, "2.5", true, 2, ""},
        {Mode::Plain, "x", 1, Meters, false, "19", true, 19, ""},
        {Mode::Plain, "y", 1, Meters, false, "14", true, 14, ""},
        {Mode::Plain, "x", 1, Meters, false, "20", false, 20, range},
        {Mode::Plain, "y", 1, Meters, false, "15", false, 15, range},
        {Mode::Plain, "z", 1, Meters, false, "-1", false, -1, range},
        {Mode::Plain, "z", 1, Meters, false, "500", true, 500, ""},
        {Mode::Plain, "n", 4, Meters, false, "3000000000", false, 0, ""},
    };
    for (const ReadCase& c : cases) {
        int32_t value = 0;
        QString error;
        EXPECT_EQ(ReadEditText(c.mode, c.name, c.type, c.unit, c.hexa, c.text, value, error),
                  c.read)
            << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(Text(error), c.error) << c.text;
    }
}

TEST(GalValueTextTest, ValueBoxTexts) {
    EXPECT_EQ(Text(EditText(Mode::Length, false, 222, Meters, false)), "1.000");
    EXPECT_EQ(Text(EditText(Mode::Length, false, 411144, Miles, false)), "1.000");
    EXPECT_EQ(Text(EditText(Mode::Length, false, 1000, Miles, false)), "0.002");
    EXPECT_EQ(Text(EditText(Mode::Color, false, 0xFF8000, Meters, false)), "FF8000");
    EXPECT_EQ(Text(EditText(Mode::Color, false, 0x80, Meters, false)), "000080");
    EXPECT_EQ(Text(EditText(Mode::Angle, false, 10, Meters, true)), "0A");
    EXPECT_EQ(Text(EditText(Mode::Plain, true, 7, Miles, false)), "7");
}

} // namespace
