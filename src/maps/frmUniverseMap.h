// The Universe Map: every sector of the open map as a cell of the 20 x 15
// grid, with its race colour, name and gate links. Sectors are selected,
// opened, added, removed, copied, pasted and moved here; a moved sector takes
// the gates that led to it along. It changes the map only through the
// GalaxyDocument it is shown with and tells the editor through its events.
#pragma once

#include "galaxy/widgets/GalaxyMapViews.h"
#include "maps/UniverseMapLayout.h"
#include "platform/Prompts.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class MapArea;
class MapSurface;
class QAction;
class QLabel;
class QMenu;
class QPaintDevice;
class QStatusBar;
class UniverseMapRenderer;
class clsGalaxyParser;

class frmUniverseMap : public QWidget, public UniverseMapView {
    Q_OBJECT

public:
    using Ptr = clsGalaxyObject::Ptr;
    enum class Direction { Left, Up, Right, Down };

    static constexpr QSize kDesignMapSize{480, 390};

    explicit frmUniverseMap(UniverseMapEvents& events, QWidget* parent = nullptr,
                            QSize screen = QSize());
    ~frmUniverseMap() override;

    // UniverseMapView
    void ShowUniverse(GalaxyDocument& document, QWidget* owner) override;
    void SelectSector(const GalaxyObjectPtr& object) override;
    void RefreshUniverse(GalaxyDocument& document) override;
    void Clear() override;
    void ObjectAdded(const GalaxyObjectPtr& object) override;
    void ObjectRemoved(const GalaxyObjectPtr& object) override;
    void ObjectModified(const GalaxyObjectPtr& object) override;
    void Unload() override;

    const std::vector<UniverseSectorRecord>& Records() const { return m_records; }
    int32_t SelectedIndex() const { return m_selected; }
    const UniverseMapLayout& Layout() const { return m_layout; }
    bool ShowGrid() const { return m_showGrid; }
    bool ShowNames() const { return m_showNames; }
    const MapSurface& Surface() const { return *m_surface; }
    QString PanelText(int panel) const;
    void PaintMap(QPaintDevice& target, QSize size);

    MapArea* Map = nullptr;
    QStatusBar* Bar = nullptr;
    QMenu* mnuPopup = nullptr;
    QAction* mnuPopupAddSec = nullptr;
    QAction* mnuPopupRemoveSec = nullptr;
    QAction* mnuPopCopy = nullptr;
    QAction* mnuPopPaste = nullptr;
    QAction* mnuPopNames = nullptr;
    QAction* mnuPopupGrid = nullptr;
    std::function<void(QMenu& menu, const QPoint& globalPoint)> PopupRunner;

    void Map_MouseDown(Qt::MouseButton button, float x, float y);
    void Map_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x, float y);
    void Map_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, float x, float y);
    void Map_KeyUp(Qt::KeyboardModifiers modifiers);
    void Map_DblClick();
    void Form_KeyDown(int keyCode, bool shift);
    void mnuPopupAddSec_Click();
    void mnuPopupRemoveSec_Click();
    void mnuPopCopy_Click();
    void mnuPopPaste_Click();
    void mnuPopNames_Click();
    void mnuPopupGrid_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildPopupMenu();
    clsGalaxyParser* Parser() const;
    bool Good() const;
    Ptr SectorOf(int32_t index) const;
    QSize MeasureText(const QString& text) const;

    void Rebuild(bool silent);
    void SelectIndex(int32_t index, bool silent);
    void BringIntoView(int32_t index);
    void Repaint();
    // The record to select at a cell: the first there, or the next one
    // after the selected record when two sectors share the cell.
    int32_t PickAt(QPoint cell) const;
    int32_t IndexOfKey(const QString& key) const;
    QPoint MouseCell() const;
    void StepSelection(Direction direction);
    bool CheckCell(QPoint cell);
    void ShowError(const QString& text);
    void UpdatePopupMenu();

    void AddSector();
    void RemoveSector();
    void PasteSector();
    void FinishMove();
    void RetargetGates(QPoint from, QPoint to);

    UniverseMapEvents& m_events;
    const platform::WindowPrompts m_prompts;
    GalaxyDocument* m_document = nullptr;
    std::unique_ptr<MapSurface> m_surface;
    std::unique_ptr<UniverseMapRenderer> m_renderer;
    UniverseMapLayout m_layout;
    std::array<QLabel*, 3> m_panels{};

    std::vector<UniverseSectorRecord> m_records;
    int32_t m_selected = -1;
    int32_t m_moving = -1;
    Ptr m_copied;
    bool m_showGrid = true;
    bool m_showNames = true;
    QPoint m_lastMouse;
    QPoint m_dragAnchor;
    bool m_unloaded = false;
};
