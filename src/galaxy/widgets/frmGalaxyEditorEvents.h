// The editor's answers to the events of its two map windows; only the
// editor's own files include this.
#pragma once

#include "galaxy/widgets/frmGalaxyEditor.h"

class frmGalaxyEditor::SectorEvents : public SectorMapEvents {
public:
    explicit SectorEvents(frmGalaxyEditor& editor) : m_editor(editor) {}

    void OnClose() override { m_editor.m_map_OnClose(); }
    void OnObjectClick(const GalaxyObjectPtr& object) override {
        if (object)
            m_editor.SelectObjectNode(object);
    }
    GalaxyObjectPtr OnNeedSync() override { return m_editor.m_selected; }
    void OnCoordsUpdated() override {
        m_editor.SetSelectedObject(m_editor.m_selected);
        m_editor.SetModified(true);
    }
    void OnObjectCreated(const GalaxyObjectPtr& object) override {
        m_editor.UpdateObjectNode(object, true);
        m_editor.SetModified(true);
    }
    void OnObjectDeleted(const GalaxyObjectPtr& object) override {
        m_editor.m_map_OnObjectDeleted(object);
    }
    void OnObjectModified(const GalaxyObjectPtr& object) override {
        m_editor.NotifyObjectModified(object, false);
    }
    void OnShowObject(const GalaxyObjectPtr&) override {
        m_editor.show();
        m_editor.raise();
        m_editor.activateWindow();
    }

private:
    frmGalaxyEditor& m_editor;
};

class frmGalaxyEditor::UniverseEvents : public UniverseMapEvents {
public:
    explicit UniverseEvents(frmGalaxyEditor& editor) : m_editor(editor) {}

    void OnClose() override { m_editor.m_universe_OnClose(); }
    void OnSectorClick(const GalaxyObjectPtr& sector) override {
        m_editor.SelectObjectNode(sector);
    }
    void OnSectorCreated(const GalaxyObjectPtr& sector) override {
        m_editor.UpdateObjectNode(sector, true);
        m_editor.SetModified(true);
    }
    void OnSectorDeleted(const GalaxyObjectPtr& sector) override {
        m_editor.m_map_OnObjectDeleted(sector);
    }
    void OnSectorModified(const GalaxyObjectPtr& sector) override {
        m_editor.NotifyObjectModified(sector, false);
    }
    void OnDisplaySector(const GalaxyObjectPtr& sector) override {
        m_editor.m_universe_OnDisplaySector(sector);
    }

private:
    frmGalaxyEditor& m_editor;
};
