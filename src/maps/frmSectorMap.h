// The Sector Map: one sector of the open universe map from the top or the
// side. It keeps one record per object of the sector that has coordinates;
// coordinates dragged on the map stay in the records until they are written
// back. It changes the map only through the GalaxyDocument it is shown with
// and tells the editor what the person did through its events object.
#pragma once

#include "galaxy/widgets/GalaxyMapViews.h"
#include "maps/SectorMapObjectRecord.h"
#include "maps/SectorMapTransform.h"
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
class QCheckBox;
class QLabel;
class QMenu;
class QMouseEvent;
class QPaintDevice;
class QRadioButton;
class QStatusBar;
class QToolBar;
class SectorMapRenderer;
class clsGalaxyParser;

class frmSectorMap : public QWidget, public SectorMapView {
    Q_OBJECT

public:
    using Ptr = clsGalaxyObject::Ptr;

    // The map area's size as designed; it fixes the scale at load.
    static constexpr QSize kDesignMapSize{400, 400};

    // screen: the size of the off-screen buffers; an invalid size takes the
    // screen's.
    explicit frmSectorMap(SectorMapEvents& events, QWidget* parent = nullptr,
                          QSize screen = QSize());
    ~frmSectorMap() override;

    // SectorMapView
    void ShowMap(GalaxyDocument& document, QWidget* owner) override;
    void SelectGalObject(const GalaxyObjectPtr& object) override;
    void ObjectAdded(const GalaxyObjectPtr& object) override;
    void ObjectRemoved(const GalaxyObjectPtr& object) override;
    void ObjectModified(const GalaxyObjectPtr& object) override;
    void Clear() override;
    bool QueryUnload() override;
    void ShowAgain(QWidget* owner) override;
    void Unload() override;

    // What the window shows, for the editor's tests and the benchmark.
    const std::vector<SectorMapObjectRecord>& Records() const { return m_records; }
    int32_t SelectedIndex() const { return m_selected; }
    bool IsModified() const { return m_modified; }
    Ptr ShownSector() const { return m_sector; }
    const SectorMapTransform& Transform() const { return m_view; }
    bool Measuring() const { return m_measuring; }
    const MapSurface& Surface() const { return *m_surface; }
    QString PanelText(int panel) const;
    // One frame of the given size onto the target, as the map area paints it.
    void PaintMap(QPaintDevice& target, QSize size);

    // Controls.
    QToolBar* MainToolbar = nullptr;
    QAction* btnSync = nullptr;
    QAction* btnUpdate = nullptr;
    QAction* btnTop = nullptr;
    QAction* btnSide = nullptr;
    QAction* btnCenter = nullptr;
    QAction* btnCenterObj = nullptr;
    QCheckBox* chkAutoSync = nullptr;
    std::array<QCheckBox*, 2> chkLabel{};
    std::array<QRadioButton*, 3> rbUnits{};
    MapArea* Map = nullptr;
    QStatusBar* Bar = nullptr;

    QMenu* mnuPop = nullptr;
    QAction* mnuPopAddObj = nullptr;
    QAction* mnuPopCopy = nullptr;
    QAction* mnuPopPaste = nullptr;
    QAction* mnuPopSep2 = nullptr;
    QMenu* mnuPopGate = nullptr;
    QAction* mnuPopGateSelect = nullptr;
    QAction* mnuPopGateLink = nullptr;
    QAction* mnuPopDist = nullptr;
    QAction* mnuPopDelete = nullptr;
    // Opens the context menu at a global point; tests replace it.
    std::function<void(QMenu& menu, const QPoint& globalPoint)> PopupRunner;

    // Event handlers, called by the map area, the controls and tests.
    void Map_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, float x, float y);
    void Map_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x, float y);
    void Map_MouseUp(Qt::MouseButton button, float x, float y);
    void Map_DblClick();
    // Wheel deltas add up to whole notches of 120; each notch is one step.
    void Map_Wheel(int delta);
    void Form_KeyDown(int keyCode);
    void MainToolbar_ButtonClick(const QString& key);
    void mnuPopAddObj_Click();
    void mnuPopCopy_Click();
    void mnuPopPaste_Click();
    void mnuPopGateSelect_Click();
    void mnuPopGateLink_Click();
    void mnuPopDist_Click();
    void mnuPopDelete_Click();
    void UpdateAutoSync();
    void UpdateLabelMask();
    void UpdateUnits();
    void UpdateViewAxis();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildControls();
    void BuildPopupMenu();
    void LoadSettings();
    void SaveSettings() const;
    void Form_Unload();

    clsGalaxyParser* Parser() const;
    Ptr ObjectOf(const SectorMapObjectRecord& record) const;
    bool ShowsObjectsOf(const Ptr& object) const;
    bool SectorReady() const;
    QSize MeasureText(const QString& text) const;
    SectorMapObjectRecord FillRecord(const Ptr& object) const;

    bool LoadSector(const Ptr& sector, bool force);
    void SelectIndex(int32_t index, bool silent);
    void SelectAt(int x, int y);
    void AddRecord(const Ptr& object);
    // The records of the given keys leave in one pass; the others keep
    // their order and the selection follows its record.
    void RemoveRecords(const std::vector<QString>& keys);
    int32_t FindRecordIndex(const QString& key) const;
    bool HasMovedRecords() const;
    // Asks whether moved coordinates are written back; false for Cancel.
    bool AskToKeepMoves(bool withCancel);
    void SetModified(bool modified);
    void UpdateCaption();
    void ShowObjectStatus(const SectorMapObjectRecord& record);
    void UpdateZoomStatus();
    void Zoom(bool zoomIn);
    void Repaint();
    void Map_Resize();

    void SyncWithEditor();
    void UpdateCoordinates(bool noQuestion);
    void ShowPopupMenu(int x, int y);
    void UpdatePopupMenu();
    void CreateObject();
    void PasteObject();
    void DeleteSelectedObject();
    void LinkGates();
    void CenterView();
    void CenterOnSelected();
    // Sets the object's x and the view's vertical coordinate to the point
    // where the mouse was last pressed; gives the object's record index.
    int32_t PlaceAtPressedPoint(const Ptr& object);
    void ForgetGoneObjects();
    void ShowError(const QString& text);

    SectorMapEvents& m_events;
    const platform::WindowPrompts m_prompts;
    GalaxyDocument* m_document = nullptr;
    std::unique_ptr<MapSurface> m_surface;
    std::unique_ptr<SectorMapRenderer> m_renderer;
    SectorMapTransform m_view;
    std::array<QLabel*, 3> m_panels{};

    Ptr m_sector;
    bool m_loadedMark = false;
    std::vector<SectorMapObjectRecord> m_records;
    int32_t m_selected = -1;
    bool m_modified = false;
    QString m_copiedKey;
    Ptr m_chosenGate;

    bool m_autoSync = true;
    int32_t m_labelBits = 2;
    int32_t m_units = 0;
    bool m_topView = true;
    QString m_axisLabel = QStringLiteral("Z");

    bool m_measuring = false;
    QPoint m_measureOrigin;
    QPoint m_lastMouse;
    QPoint m_lastPressed;
    QPoint m_dragAnchor;
    int m_wheelRemainder = 0;
    bool m_unloading = false;
    bool m_unloaded = false;
};
