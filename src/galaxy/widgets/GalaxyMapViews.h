// How the Ruvaze Rezivo reaches its two map windows, the Sector Map and the
// Universe Map, which are built above this folder: the editor sees them only
// through these interfaces and gets them from the factory that the program
// installs. With no factory installed the editor's map buttons stay off.
//
// Traffic:
// - The editor calls the operations below when its selection changes and
//   passes on every change that the GalaxyDocument reports (ObjectAdded,
//   ObjectRemoved, ObjectModified), whoever made it, to each open window
//   through GalaxyMapView, the Sector Map first. So a map window hears of
//   its own changes too (the Sector Map drops the records of an object it
//   deleted only then): these calls must be harmless for an object the
//   window already shows as it is.
//   A move reaches each map as ObjectRemoved then ObjectAdded of the moved
//   object.
// - A map window changes the map only through the GalaxyDocument it is shown
//   with, and reports what the person did through its events object (given
//   at creation, it outlives the window).
// - A window closed by its own close box, or by Unload, raises OnClose once
//   and then destroys itself (deleteLater); the editor forgets it at OnClose.
#pragma once

#include "galaxy/clsGalaxyObject.h"

class GalaxyDocument;
class QWidget;

using GalaxyObjectPtr = clsGalaxyObject::Ptr;

// Events of the Sector Map, handled by the editor.
class SectorMapEvents {
public:
    virtual ~SectorMapEvents() = default;
    virtual void OnClose() = 0;
    // A record was selected; nothing when its object is gone.
    virtual void OnObjectClick(const GalaxyObjectPtr& object) = 0;
    // The toolbar's "sync": the editor's selected object, or nothing.
    virtual GalaxyObjectPtr OnNeedSync() = 0;
    // Moved coordinates were written back into the objects.
    virtual void OnCoordsUpdated() = 0;
    virtual void OnObjectCreated(const GalaxyObjectPtr& object) = 0;
    virtual void OnObjectDeleted(const GalaxyObjectPtr& object) = 0;
    virtual void OnObjectModified(const GalaxyObjectPtr& object) = 0;
    // Bring the editor forward.
    virtual void OnShowObject(const GalaxyObjectPtr& object) = 0;
};

// Events of the Universe Map, handled by the editor.
class UniverseMapEvents {
public:
    virtual ~UniverseMapEvents() = default;
    virtual void OnClose() = 0;
    virtual void OnSectorClick(const GalaxyObjectPtr& sector) = 0;
    virtual void OnSectorCreated(const GalaxyObjectPtr& sector) = 0;
    virtual void OnSectorDeleted(const GalaxyObjectPtr& sector) = 0;
    virtual void OnSectorModified(const GalaxyObjectPtr& sector) = 0;
    // Show the sector (read first when needed) on the Sector Map.
    virtual void OnDisplaySector(const GalaxyObjectPtr& sector) = 0;
};

// What both map windows take from the editor.
class GalaxyMapView {
public:
    virtual ~GalaxyMapView() = default;
    virtual void ObjectAdded(const GalaxyObjectPtr& object) = 0;
    virtual void ObjectRemoved(const GalaxyObjectPtr& object) = 0;
    virtual void ObjectModified(const GalaxyObjectPtr& object) = 0;
    // Forgets what the window shows (another map is coming).
    virtual void Clear() = 0;
    // Closes the window without a question (see OnClose above).
    virtual void Unload() = 0;
};

class SectorMapView : public GalaxyMapView {
public:
    // Shows the window, modeless, with the owner (the launcher).
    virtual void ShowMap(GalaxyDocument& document, QWidget* owner) = 0;
    virtual void SelectGalObject(const GalaxyObjectPtr& object) = 0;
    // May ask about moved coordinates; false cancels the close.
    virtual bool QueryUnload() = 0;
    // Shows the window again and brings it forward.
    virtual void ShowAgain(QWidget* owner) = 0;
};

class UniverseMapView : public GalaxyMapView {
public:
    virtual void ShowUniverse(GalaxyDocument& document, QWidget* owner) = 0;
    // Selects the cell of the sector that holds the object, silently.
    virtual void SelectSector(const GalaxyObjectPtr& object) = 0;
    // The sectors of the document were read anew.
    virtual void RefreshUniverse(GalaxyDocument& document) = 0;
};

// Makes the map windows; the program installs one (the map views' own).
class GalaxyMapFactory {
public:
    virtual ~GalaxyMapFactory() = default;
    // A new window, not shown yet; the events object outlives it.
    virtual SectorMapView* CreateSectorMap(SectorMapEvents& events) = 0;
    virtual UniverseMapView* CreateUniverseMap(UniverseMapEvents& events) = 0;
};

namespace GalaxyMapViews {

// The installed factory (not owned), or nothing.
GalaxyMapFactory* Factory();
// nullptr removes it. Editors opened later see the change.
void SetFactory(GalaxyMapFactory* factory);

} // namespace GalaxyMapViews
