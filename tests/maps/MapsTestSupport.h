// A small universe map opened in a map document, a Sector Map shown on it,
// and a spy that records the Sector Map's events in order.
#pragma once

#include "common/mdlCommonGlobals.h"
#include "galaxy/GalaxyDocument.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "galaxy/widgets/GalaxyMapViews.h"
#include "maps/MapArea.h"
#include "maps/frmSectorMap.h"
#include "platform/ScriptedPrompts.h"
#include "support/TestFolders.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace mapstest {

using Ptr = clsGalaxyObject::Ptr;

// Sector A (2,3) holds a sun at the origin, a container without coordinates
// with two ships, a gate to sector B, a planet and an asteroid without y
// and z; sector B (4,5) a gate
// back. At a 400 x 400 map area 1,110,000 units are 20 pixels.
inline const std::string kMap = R"(<universe>
  <o t="1" x="2" y="3">
    <o t="3" s="0" x="0" y="0" z="0"/>
    <o t="23" s="6">
      <o t="7" s="0" x="-4440000" y="0" z="4440000"/>
      <o t="7" s="1" x="-4440000" y="0" z="-4440000"/>
    </o>
    <o t="18" s="0" gid="1" gx="4" gy="5" x="-2220000" y="0" z="-2220000"/>
    <o t="4" s="0" x="2220000" y="1110000" z="1110000"/>
    <o t="17" s="0" x="-8880000"/>
  </o>
  <o t="1" x="4" y="5">
    <o t="18" s="0" gid="3" gx="2" gy="3" x="0" y="0" z="0"/>
  </o>
</universe>)";

class EventSpy : public SectorMapEvents {
public:
    QStringList events;
    Ptr syncObject;

    void OnClose() override { events << QStringLiteral("OnClose"); }
    void OnObjectClick(const GalaxyObjectPtr& object) override { Add("OnObjectClick", object); }
    GalaxyObjectPtr OnNeedSync() override {
        events << QStringLiteral("OnNeedSync");
        return syncObject;
    }
    void OnCoordsUpdated() override { events << QStringLiteral("OnCoordsUpdated"); }
    void OnObjectCreated(const GalaxyObjectPtr& object) override { Add("OnObjectCreated", object); }
    void OnObjectDeleted(const GalaxyObjectPtr& object) override { Add("OnObjectDeleted", object); }
    void OnObjectModified(const GalaxyObjectPtr& object) override {
        Add("OnObjectModified", object);
    }
    void OnShowObject(const GalaxyObjectPtr& object) override { Add("OnShowObject", object); }

private:
    void Add(const char* name, const GalaxyObjectPtr& object) {
        events << QString::fromLatin1(name) + QLatin1Char(' ') +
                      (object ? object->Key() : QStringLiteral("nothing"));
    }
};

// Passes every change of the document to the map, as the editor does.
inline void ForwardDocument(GalaxyDocument& document, frmSectorMap& map) {
    QObject::connect(&document, &GalaxyDocument::ObjectAdded, &map,
                     [&map](const Ptr& object) { map.ObjectAdded(object); });
    QObject::connect(&document, &GalaxyDocument::ObjectRemoved, &map,
                     [&map](const Ptr& object) { map.ObjectRemoved(object); });
    QObject::connect(&document, &GalaxyDocument::ObjectModified, &map,
                     [&map](const Ptr& object) { map.ObjectModified(object); });
}

// The map, its first sector read, and a Sector Map showing it.
class SectorMapFixture : public testing::Test {
protected:
    void SetUp() override {
        mdlZorvGalaxy::InitGalaxyTables();
        Open(kMap);
    }

    void TearDown() override { delete map.data(); }

    void Open(const std::string& xml) {
        testsupport::writeFile(testsupport::dataDir() / "map.xml", xml);
        ASSERT_TRUE(
            document.Open(QString::fromStdString((testsupport::dataDir() / "map.xml").string())))
            << document.LastError().toStdString();
    }

    void MakeMap(QSize screen = QSize()) {
        map = new frmSectorMap(spy, nullptr, screen);
        map->Map->setFixedSize(400, 400);
        map->PopupRunner = [](QMenu&, const QPoint&) {};
        ForwardDocument(document, *map);
        map->ShowMap(document, nullptr);
    }

    Ptr Sector(int position) { return document.parser()->Sectors.at(position); }
    Ptr Child(const Ptr& parent, int position) { return parent->Childs.at(position); }

    // Sector A read and shown.
    void ShowFirstSector() {
        ASSERT_TRUE(document.LoadSector(Sector(1)));
        map->SelectGalObject(Sector(1));
    }

    QImage Render() {
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 255));
        map->PaintMap(image, image.size());
        return image;
    }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts scoped{prompts};
    GalaxyDocument document;
    EventSpy spy;
    QPointer<frmSectorMap> map;
};

// Each control is the window's child of its member name.
inline void ExpectNamed(const QObject& window,
                        std::initializer_list<std::pair<const char*, QObject*>> controls) {
    for (const auto& [name, control] : controls)
        EXPECT_EQ(window.findChild<QObject*>(name), control) << name;
}

inline QColor Pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

} // namespace mapstest
