#include "common/mdlCommonGlobals.h"
#include "maps/SectorMapLabels.h"
#include "maps/SectorMapOptions.h"
#include "maps/SectorMapTexts.h"
#include "maps/SectorMapTransform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SectorMapTransform View400() {
    SectorMapTransform view;
    view.SetBaseScale(400, 400);
    view.SetAreaSize({400, 400});
    return view;
}

TEST(SectorMapTransform, WorldAndPixelsMeetAtTheCentre) {
    SectorMapTransform view = View400();
    EXPECT_EQ(view.GetCenter(), QPoint(200, 200));
    EXPECT_EQ(view.MarkerPixel(2'220'000, -1'110'000), QPoint(240, 180));
    EXPECT_EQ(view.WorldToPixel(1'110'000, -11'100'000), QPoint(220, 0));
    const QPointF world = view.ScreenToWorld(240, 180);
    EXPECT_NEAR(world.x(), 2'220'000, 1);
    EXPECT_NEAR(world.y(), -1'110'000, 1);
    // Resizing moves the origin to the new middle and keeps the scale.
    view.SetAreaSize({600, 300});
    EXPECT_EQ(view.MarkerPixel(2'220'000, 0), QPoint(340, 150));
}

TEST(SectorMapTransform, ZoomStepsKeepTheMiddleAndStopAtTheLimits) {
    SectorMapTransform view = View400();
    view.SetPan(10, -4);
    ASSERT_TRUE(view.Zoom(true));
    EXPECT_EQ(view.ZoomText(), "150.0%");
    EXPECT_EQ(view.Pan(), QPointF(15, -6));

    SectorMapTransform out = View400();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(out.Zoom(false));
    EXPECT_EQ(out.ZoomText(), "19.8%");
    EXPECT_FALSE(out.Zoom(false));
    EXPECT_EQ(out.ZoomText(), "19.8%");

    SectorMapTransform in = View400();
    for (int i = 0; i < 21; ++i)
        ASSERT_TRUE(in.Zoom(true)) << i;
    EXPECT_FALSE(in.Zoom(true));
    EXPECT_NEAR(in.ZoomFactor(), 4987.9, 0.5);
}

TEST(SectorMapTransform, NoHeightAndExtremeValuesConvertSafely) {
    SectorMapTransform view;
    view.SetBaseScale(0, 400);
    view.SetAreaSize({0, 0});
    EXPECT_GT(view.BaseScale(), 0);
    EXPECT_TRUE(std::isfinite(view.ScreenToWorld(5, 5).x()));

    // A tall map area zoomed in all the way.
    SectorMapTransform zoomed;
    zoomed.SetBaseScale(100'000, 400);
    for (int i = 0; i < 21; ++i)
        zoomed.Zoom(true);
    // Far beyond 32 bits of pixels: no point rather than a wrapped one.
    EXPECT_FALSE(zoomed.WorldToPixel(2'000'000'000, 0).has_value());
    EXPECT_FALSE(zoomed.MarkerPixel(-2'000'000'000, 0).has_value());

    // A pan dragged far away stays finite and bounded through every zoom.
    SectorMapTransform panned = View400();
    panned.SetPan(3e9f, -3e9f);
    for (int i = 0; i < 21; ++i)
        panned.Zoom(true);
    EXPECT_LE(std::abs(panned.GetCenter().x()), 100'000'200);
    panned.SetPan(std::nanf(""), 0);
    EXPECT_TRUE(std::isfinite(panned.Pan().x()));
}

QSize FakeMeasure(const QString& text) {
    return text.isEmpty() ? QSize(0, 0) : QSize(static_cast<int>(text.size()) * 5, 10);
}

SectorMapObjectRecord Record(int32_t type, const QString& name, const QString& id) {
    SectorMapObjectRecord record;
    record.type = type;
    record.nameText = name;
    record.idText = id;
    return record;
}

TEST(SectorMapLabels, BoxesCoverTheMarkerAndTheShownTexts) {
    struct Case {
        const char* what;
        int32_t type;
        const char* name;
        const char* id;
        int32_t bits;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"no labels: the bare marker", 4, "Planet Ten", "PL-10", 0, -5, -5, 5, 5},
        {"a name wider than the marker", 4, "Planet Ten", "PL-10", 2, -25, -5, 25, 15},
        {"name and ID on two lines", 6, "Factory", "F-1", 3, -18, -4, 18, 24},
        {"an ID equal to the name is one line", 7, "Courier", "Courier", 3, -18, -4, 18, 14},
        {"a width of 25 rounds halves to even", 17, "abcde", "x", 2, -12, -3, 12, 13},
        {"a narrow text keeps the marker width", 5, "ab", "ab", 2, -7, -7, 7, 17},
    };
    for (const Case& c : cases) {
        SectorMapObjectRecord record = Record(c.type, c.name, c.id);
        SectorMapLabels::MeasureLabel(record, c.bits, FakeMeasure);
        EXPECT_EQ(record.left, c.left) << c.what;
        EXPECT_EQ(record.top, c.top) << c.what;
        EXPECT_EQ(record.right, c.right) << c.what;
        EXPECT_EQ(record.bottom, c.bottom) << c.what;
    }
}

TEST(SectorMapLabels, GateLabelsNameTheTargetByTheBits) {
    SectorMapObjectRecord gate = Record(18, "Gate", "G");
    gate.gateTargetName = "Far Drift";
    gate.gateTargetID = "FD";
    EXPECT_EQ(SectorMapLabels::GetGateLabel(gate, 0), "");
    EXPECT_EQ(SectorMapLabels::GetGateLabel(gate, 1), "FD");
    EXPECT_EQ(SectorMapLabels::GetGateLabel(gate, 2), "Far Drift");
    EXPECT_EQ(SectorMapLabels::GetGateLabel(gate, 3), "Far Drift [FD]");
    SectorMapObjectRecord lost = Record(18, "Gate", "G");
    EXPECT_EQ(SectorMapLabels::GetGateLabel(lost, 3), " []");
    EXPECT_EQ(SectorMapLabels::GetGateLabel(Record(4, "P", "P"), 3), "");

    // The gate label sits below the name and ID and widens the box.
    SectorMapLabels::MeasureLabel(gate, 3, FakeMeasure);
    EXPECT_EQ(gate.gateLabel, "Far Drift [FD]");
    EXPECT_EQ(gate.right, 35);
    EXPECT_EQ(gate.bottom, 10 + 10 + 20);
}

TEST(SectorMapLabels, HitTestTakesTheLowestIndexAndIncludesEveryEdge) {
    const SectorMapTransform view = View400();
    std::vector<SectorMapObjectRecord> records(2, Record(4, "", ""));
    for (SectorMapObjectRecord& record : records)
        SectorMapLabels::MeasureLabel(record, 0, FakeMeasure);
    records[0].x = 2'220'000; // marker at (240, 200)
    records[1].x = 2'400'000; // marker at about (243, 200), overlapping
    EXPECT_EQ(SectorMapLabels::HitTest(records, view, true, 245, 200), 0);
    EXPECT_EQ(SectorMapLabels::HitTest(records, view, true, 248, 205), 1);
    EXPECT_EQ(SectorMapLabels::HitTest(records, view, true, 235, 195), 0);
    EXPECT_EQ(SectorMapLabels::HitTest(records, view, true, 234, 200), -1);
    // The side view reads the negated y.
    records[0].negY = -1'110'000;
    EXPECT_EQ(SectorMapLabels::HitTest(records, view, false, 240, 180), 0);
    EXPECT_EQ(SectorMapLabels::HitTest(records, view, true, 240, 180), -1);
}

TEST(SectorMapTexts, ObjectStatusInEachUnit) {
    SectorMapObjectRecord record = Record(4, "Home", "HM");
    record.x = 222000;
    record.negY = 0;
    record.negZ = 444000;
    EXPECT_EQ(SectorMapTexts::ObjectStatus(record, 0),
              "Home (HM)   X: 1.000 km, Y: 0.000 km, Z: -2.000 km");
    record.x = 1000;
    record.negZ = 0;
    EXPECT_EQ(SectorMapTexts::ObjectStatus(record, 1),
              "Home (HM)   X: 1000.000, Y: 0.000, Z: 0.000");
    record.idText = "Home";
    record.x = 411144;
    EXPECT_EQ(SectorMapTexts::ObjectStatus(record, 2),
              "Home   X: 1.000 nm, Y: 0.000 nm, Z: 0.000 nm");
    record.negY = INT32_MIN;
    EXPECT_TRUE(SectorMapTexts::ObjectStatus(record, 1).contains("Y: 2147483648.000"));
}

TEST(SectorMapTexts, PointerStatusInEachUnit) {
    EXPECT_EQ(SectorMapTexts::PointerStatus(444000, -222000, "Z", 0), "X: 2.000 km, Z: 1.000 km");
    EXPECT_EQ(SectorMapTexts::PointerStatus(10, 5, "Y", 1), "X: 10.000 , Y: -5.000 ");
    EXPECT_EQ(SectorMapTexts::PointerStatus(411144, 0, "Z", 2), "X: 1.000 nm, Z: 0.000 nm");
}

TEST(SectorMapTexts, DistanceTexts) {
    struct Case {
        float units;
        int32_t unit;
        const char* text;
    };
    const Case cases[] = {
        {221778, 0, "Distance: 999 m"},
        {222000, 0, "Distance: 1.000 km"},
        // 999.6 m rounds to 1000 m, which reads as kilometres.
        {221911.2f, 0, "Distance: 1.000 km"},
        {116106, 0, "Distance: 523 m"},
        {2740590, 0, "Distance: 12.345 km"},
        {507352, 2, "Distance: 1.234 nm"},
        {1234567.9f, 1, "Distance: 1234567"},
        {0, 0, "Distance: 0 m"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SectorMapTexts::DistanceText(c.units, c.unit), c.text) << c.units;
}

TEST(SectorMapTexts, Caption) {
    EXPECT_EQ(SectorMapTexts::Caption(false, "", false), "Sector Map");
    EXPECT_EQ(SectorMapTexts::Caption(true, "Home", true), "Sector Map [Home] *");
    EXPECT_EQ(SectorMapTexts::Caption(false, "", true), "Sector Map *");
}

TEST(SectorMapOptions, MissingKeyGivesDefaultsAndSavedValuesReadBack) {
    const SectorMapOptions defaults = SectorMapOptions::Load();
    EXPECT_EQ(defaults.labels, 2);
    EXPECT_EQ(defaults.units, 0);
    EXPECT_TRUE(defaults.autoSync);
    EXPECT_TRUE(defaults.topView);

    SectorMapOptions options;
    options.labels = 1;
    options.units = 2;
    options.autoSync = false;
    options.topView = false;
    options.Save();
    const SectorMapOptions loaded = SectorMapOptions::Load();
    EXPECT_EQ(loaded.labels, 1);
    EXPECT_EQ(loaded.units, 2);
    EXPECT_FALSE(loaded.autoSync);
    EXPECT_FALSE(loaded.topView);
}

TEST(SectorMapOptions, StoredValuesOutOfRangeFallBack) {
    const platform::RegKey key =
        mdlCommon::Settings().OpenRootHandleUserGE().createKey(QStringLiteral("SectorMap"));
    key.setNumber("labels", 7);
    key.setNumber("units", 9);
    key.setNumber("autosync", 5);
    key.setNumber("topview", 3);
    const SectorMapOptions loaded = SectorMapOptions::Load();
    EXPECT_EQ(loaded.labels, 3);
    EXPECT_EQ(loaded.units, 0);
    EXPECT_TRUE(loaded.autoSync);
    EXPECT_FALSE(loaded.topView);
    key.setNumber("units", -1);
    key.setNumber("autosync", 2);
    EXPECT_EQ(SectorMapOptions::Load().units, 0);
    EXPECT_FALSE(SectorMapOptions::Load().autoSync);
}

} // namespace
