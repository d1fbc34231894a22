// The Ruvaze Rezivo and its two map windows: opening and closing them from
// the toolbar, and what the editor does when they report the person's work.
#include "galaxy/GalaxyDocument.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "galaxy/widgets/frmGalaxyEditorEvents.h"

#include <QAction>

#include <utility>

frmGalaxyEditor::~frmGalaxyEditor() {
    // The map windows hold the document; they go first.
    UnloadMaps();
}

// Each window is forgotten before it goes, whether or not it reports its close.
void frmGalaxyEditor::UnloadMaps() {
    if (SectorMapView* map = std::exchange(m_map, nullptr))
        map->Unload();
    if (UniverseMapView* universe = std::exchange(m_universe, nullptr))
        universe->Unload();
}

void frmGalaxyEditor::ForEachMap(const std::function<void(GalaxyMapView&)>& call) {
    if (m_map)
        call(*m_map);
    if (m_universe)
        call(*m_universe);
}

QWidget* frmGalaxyEditor::MapOwner() const {
    return m_owner ? m_owner.data() : const_cast<frmGalaxyEditor*>(this);
}

void frmGalaxyEditor::UpdateMapButtons() {
    const bool factory = GalaxyMapViews::Factory() != nullptr;
    Button(QStringLiteral("map"))->setEnabled(factory || m_map);
    Button(QStringLiteral("universe"))->setEnabled(factory || m_universe);
    Button(QStringLiteral("map"))->setChecked(m_map != nullptr);
    Button(QStringLiteral("universe"))->setChecked(m_universe != nullptr);
}

void frmGalaxyEditor::ShowSectorMap() {
    if (m_map) {
        if (m_map->QueryUnload()) {
            SectorMapView* map = m_map;
            m_map = nullptr;
            map->Unload();
        }
        UpdateMapButtons();
        return;
    }
    GalaxyMapFactory* factory = GalaxyMapViews::Factory();
    if (!factory) {
        UpdateMapButtons();
        return;
    }
    if (!m_sectorEvents)
        m_sectorEvents = std::make_unique<SectorEvents>(*this);
    m_map = factory->CreateSectorMap(*m_sectorEvents);
    UpdateMapButtons();
    if (!m_map)
        return;
    m_map->ShowMap(*m_document, MapOwner());
    if (m_map)
        m_map->SelectGalObject(m_selected);
}

void frmGalaxyEditor::ShowUniverseMap() {
    if (m_universe) {
        UniverseMapView* universe = m_universe;
        m_universe = nullptr;
        universe->Unload();
        UpdateMapButtons();
        return;
    }
    GalaxyMapFactory* factory = GalaxyMapViews::Factory();
    if (!factory) {
        UpdateMapButtons();
        return;
    }
    if (!m_universeEvents)
        m_universeEvents = std::make_unique<UniverseEvents>(*this);
    m_universe = factory->CreateUniverseMap(*m_universeEvents);
    UpdateMapButtons();
    if (!m_universe)
        return;
    m_universe->ShowUniverse(*m_document, MapOwner());
    if (m_universe)
        m_universe->SelectSector(m_selected);
}

void frmGalaxyEditor::m_map_OnClose() {
    m_map = nullptr;
    UpdateMapButtons();
}

void frmGalaxyEditor::m_universe_OnClose() {
    m_universe = nullptr;
    UpdateMapButtons();
}

// The document's own signal took the node away and marked the map modified;
// the selection moves on only now, once the map window is done.
void frmGalaxyEditor::m_map_OnObjectDeleted(const Ptr& object) {
    if (object && object == m_selected)
        SelectNode(nullptr);
}

void frmGalaxyEditor::m_universe_OnDisplaySector(const Ptr& sector) {
    if (!sector)
        return;
    if (!sector->Loaded)
        LoadSectorNode(sector);
    SelectObjectNode(sector);
    if (m_map)
        m_map->ShowAgain(MapOwner());
    else
        ShowSectorMap();
}
