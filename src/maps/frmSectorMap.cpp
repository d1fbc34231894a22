#include "maps/frmSectorMap.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "galaxy/GalaxyDocument.h"
#include "galaxy/widgets/frmNewGalObject.h"
#include "maps/MapArea.h"
#include "maps/MapKeys.h"
#include "maps/MapMath.h"
#include "maps/MapSurface.h"
#include "maps/MapWindowSurface.h"
#include "maps/SectorMapLabels.h"
#include "maps/SectorMapOptions.h"
#include "maps/SectorMapRecords.h"
#include "maps/SectorMapRenderer.h"
#include "maps/SectorMapTexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <unordered_set>

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

const QString kTitle = QStringLiteral("Ruvaze Rezivo - Sector Map");
const QString kUnloadQuestion = QStringLiteral(
    "You have modified object coordinates.\n\nDo you want to update them in Ruvaze Rezivo?");
constexpr int kNotch = 120;

QPoint RoundPoint(const QPointF& point, const QPoint& fallback) {
    const auto x = mapmath::Round(point.x());
    const auto y = mapmath::Round(point.y());
    return x && y ? QPoint(*x, *y) : fallback;
}

// -v for a world coordinate; -INT32_MIN does not fit and takes the largest.
int32_t Negated(int32_t value) {
    return value == INT32_MIN ? INT32_MAX : -value;
}

} // namespace

frmSectorMap::frmSectorMap(SectorMapEvents& events, QWidget* parent, QSize screen)
    : QWidget(parent, Qt::Window), m_events(events), m_prompts(kTitle, this) {
    setObjectName(QStringLiteral("frmSectorMap"));
    BuildControls();
    BuildPopupMenu();
    m_surface = CreateMapSurface(screen, SectorMapRenderer::kBackground,
                                 SectorMapRenderer::kSelected, this);
    m_renderer = std::make_unique<SectorMapRenderer>(*m_surface);
    m_view.SetBaseScale(Map->height(), kDesignMapSize.height());
    m_view.SetAreaSize(Map->size());
    LoadSettings();
    UpdateLabelMask();
    UpdateUnits();
    UpdateViewAxis();
    UpdateAutoSync();
    UpdateZoomStatus();
    SetModified(false);
}

frmSectorMap::~frmSectorMap() = default;

void frmSectorMap::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    MainToolbar = new QToolBar(this);
    MainToolbar->setObjectName(QStringLiteral("MainToolbar"));
    MainToolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto button = [this](const QString& name, const QString& caption, const QString& key,
                         const QString& tip) {
        QAction* action = MainToolbar->addAction(caption);
        action->setObjectName(name);
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, [this, key] { MainToolbar_ButtonClick(key); });
        return action;
    };
    btnSync = button(QStringLiteral("btnSync"), QStringLiteral("Sync with GE"),
                     QStringLiteral("sync"), QStringLiteral("Synchronize map with Ruvaze Rezivo"));
    btnUpdate =
        button(QStringLiteral("btnUpdate"), QStringLiteral("Update coords"),
               QStringLiteral("update"), QStringLiteral("Update coordinates in Ruvaze Rezivo"));
    MainToolbar->addSeparator();
    btnTop = button(QStringLiteral("btnTop"), QStringLiteral("Top"), QStringLiteral("top"),
                    QStringLiteral("View from top"));
    btnSide = button(QStringLiteral("btnSide"), QStringLiteral("Side"), QStringLiteral("side"),
                     QStringLiteral("View from side"));
    btnTop->setCheckable(true);
    btnSide->setCheckable(true);
    MainToolbar->addSeparator();
    btnCenter = button(QStringLiteral("btnCenter"), QStringLiteral("Center map"),
                       QStringLiteral("center"), QStringLiteral("Center on map origin"));
    btnCenterObj = button(QStringLiteral("btnCenterObj"), QStringLiteral("Center obj"),
                          QStringLiteral("centerobj"), QStringLiteral("Center on selected object"));
    layout->addWidget(MainToolbar);

    auto* options = new QHBoxLayout;
    options->setContentsMargins(4, 0, 4, 0);
    chkAutoSync = new QCheckBox(QStringLiteral("Auto sync with GE"), this);
    chkAutoSync->setObjectName(QStringLiteral("chkAutoSync"));
    chkAutoSync->setToolTip(
        QStringLiteral("Automatically change sector according to Ruvaze Rezivo"));
    connect(chkAutoSync, &QCheckBox::clicked, this, &frmSectorMap::UpdateAutoSync);
    options->addWidget(chkAutoSync);

    auto* labels = new QGroupBox(QStringLiteral("Labels"), this);
    labels->setObjectName(QStringLiteral("Frame1"));
    auto* labelsLayout = new QHBoxLayout(labels);
    const QString labelCaptions[] = {QStringLiteral("ID"), QStringLiteral("Name")};
    const QString labelTips[] = {QStringLiteral("Show IDs of objects"),
                                 QStringLiteral("Show names of objects")};
    for (size_t i = 0; i < chkLabel.size(); ++i) {
        chkLabel[i] = new QCheckBox(labelCaptions[i], labels);
        chkLabel[i]->setObjectName(QStringLiteral("chkLabel") + QString::number(i));
        chkLabel[i]->setToolTip(labelTips[i]);
        connect(chkLabel[i], &QCheckBox::clicked, this, &frmSectorMap::UpdateLabelMask);
        labelsLayout->addWidget(chkLabel[i]);
    }
    options->addWidget(labels);

    auto* units = new QGroupBox(QStringLiteral("Units"), this);
    units->setObjectName(QStringLiteral("Frame2"));
    auto* unitsLayout = new QHBoxLayout(units);
    const QString unitCaptions[] = {QStringLiteral("Meters"), QStringLiteral("Game units"),
                                    QStringLiteral("Miles")};
    for (size_t i = 0; i < rbUnits.size(); ++i) {
        rbUnits[i] = new QRadioButton(unitCaptions[i], units);
        rbUnits[i]->setObjectName(QStringLiteral("rbUnits") + QString::number(i));
        connect(rbUnits[i], &QRadioButton::clicked, this, &frmSectorMap::UpdateUnits);
        unitsLayout->addWidget(rbUnits[i]);
    }
    options->addWidget(units);
    options->addStretch();
    layout->addLayout(options);

    Map = new MapArea(kDesignMapSize, this);
    Map->setObjectName(QStringLiteral("Map"));
    Map->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    MapArea::Handlers handlers;
    handlers.paint = [this] { PaintMap(*Map, Map->size()); };
    handlers.resize = [this] { Map_Resize(); };
    handlers.mouseDown = [this](QMouseEvent& event) {
        Map_MouseDown(event.button(), event.modifiers(), static_cast<float>(event.position().x()),
                      static_cast<float>(event.position().y()));
    };
    handlers.mouseMove = [this](QMouseEvent& event) {
        Map_MouseMove(event.buttons(), event.modifiers(), static_cast<float>(event.position().x()),
                      static_cast<float>(event.position().y()));
    };
    handlers.mouseUp = [this](QMouseEvent& event) {
        Map_MouseUp(event.button(), static_cast<float>(event.position().x()),
                    static_cast<float>(event.position().y()));
    };
    handlers.doubleClick = [this] { Map_DblClick(); };
    handlers.wheel = [this](int delta) { Map_Wheel(delta); };
    Map->SetHandlers(std::move(handlers));
    layout->addWidget(Map, 1);

    Bar = new QStatusBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    for (size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new QLabel(Bar);
        Bar->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
    m_panels[0]->setMinimumWidth(60);
    m_panels[1]->setMinimumWidth(220);
    layout->addWidget(Bar);
}

void frmSectorMap::BuildPopupMenu() {
    mnuPop = new QMenu(this);
    mnuPop->setObjectName(QStringLiteral("mnuPop"));
    mnuPopAddObj = mnuPop->addAction(QStringLiteral("Add object..."));
    mnuPopAddObj->setObjectName(QStringLiteral("mnuPopAddObj"));
    mnuPop->addSeparator();
    mnuPopCopy = mnuPop->addAction(QStringLiteral("Copy"));
    mnuPopCopy->setObjectName(QStringLiteral("mnuPopCopy"));
    mnuPopPaste = mnuPop->addAction(QStringLiteral("Paste"));
    mnuPopPaste->setObjectName(QStringLiteral("mnuPopPaste"));
    mnuPopSep2 = mnuPop->addSeparator();
    mnuPopSep2->setObjectName(QStringLiteral("mnuPopSep2"));
    mnuPopGate = mnuPop->addMenu(QStringLiteral("Gate"));
    mnuPopGate->setObjectName(QStringLiteral("mnuPopGate"));
    mnuPopGateSelect = mnuPopGate->addAction(QStringLiteral("Select"));
    mnuPopGateSelect->setObjectName(QStringLiteral("mnuPopGateSelect"));
    mnuPopGateLink = mnuPopGate->addAction(QStringLiteral("Link with selected..."));
    mnuPopGateLink->setObjectName(QStringLiteral("mnuPopGateLink"));
    mnuPop->addSeparator();
    mnuPopDist = mnuPop->addAction(QStringLiteral("Distance measurement"));
    mnuPopDist->setObjectName(QStringLiteral("mnuPopDist"));
    mnuPopDist->setCheckable(true);
    mnuPop->addSeparator();
    mnuPopDelete = mnuPop->addAction(QStringLiteral("Delete object..."));
    mnuPopDelete->setObjectName(QStringLiteral("mnuPopDelete"));
    connect(mnuPopAddObj, &QAction::triggered, this, &frmSectorMap::mnuPopAddObj_Click);
    connect(mnuPopCopy, &QAction::triggered, this, &frmSectorMap::mnuPopCopy_Click);
    connect(mnuPopPaste, &QAction::triggered, this, &frmSectorMap::mnuPopPaste_Click);
    connect(mnuPopGateSelect, &QAction::triggered, this, &frmSectorMap::mnuPopGateSelect_Click);
    connect(mnuPopGateLink, &QAction::triggered, this, &frmSectorMap::mnuPopGateLink_Click);
    connect(mnuPopDist, &QAction::triggered, this, &frmSectorMap::mnuPopDist_Click);
    connect(mnuPopDelete, &QAction::triggered, this, &frmSectorMap::mnuPopDelete_Click);
    PopupRunner = [](QMenu& menu, const QPoint& point) { menu.exec(point); };
}

// ---- options

void frmSectorMap::LoadSettings() {
    const SectorMapOptions options = SectorMapOptions::Load();
    for (size_t i = 0; i < chkLabel.size(); ++i)
        chkLabel[i]->setChecked(options.labels & (1 << i));
    rbUnits[options.units]->setChecked(true);
    chkAutoSync->setChecked(options.autoSync);
    btnTop->setChecked(options.topView);
    btnSide->setChecked(!options.topView);
}

void frmSectorMap::SaveSettings() const {
    SectorMapOptions options;
    options.labels = m_labelBits;
    options.units = m_units;
    options.autoSync = m_autoSync;
    options.topView = m_topView;
    options.Save();
}

void frmSectorMap::UpdateAutoSync() {
    m_autoSync = chkAutoSync->isChecked();
}

void frmSectorMap::UpdateLabelMask() {
    m_labelBits = 0;
    for (size_t i = 0; i < chkLabel.size(); ++i)
        if (chkLabel[i]->isChecked())
            m_labelBits |= 1 << i;
    const auto measure = [this](const QString& text) { return MeasureText(text); };
    for (SectorMapObjectRecord& record : m_records)
        SectorMapLabels::MeasureLabel(record, m_labelBits, measure);
    Repaint();
}

void frmSectorMap::UpdateUnits() {
    for (size_t i = 0; i < rbUnits.size(); ++i) {
        if (rbUnits[i]->isChecked()) {
            m_units = static_cast<int32_t>(i);
            break;
        }
    }
    if (m_selected >= 0)
        ShowObjectStatus(m_records[m_selected]);
}

void frmSectorMap::UpdateViewAxis() {
    m_topView = btnTop->isChecked();
    m_axisLabel = m_topView ? QStringLiteral("Z") : QStringLiteral("Y");
    Repaint();
}

// ---- the editor's calls

void frmSectorMap::ShowMap(GalaxyDocument& document, QWidget* owner) {
    if (m_document != &document) {
        if (m_document)
            disconnect(m_document, nullptr, this, nullptr);
        m_document = &document;
        // The shown sector's contents were read: show them.
        connect(m_document, &GalaxyDocument::SectorLoaded, this, [this](const Ptr& sector) {
            if (sector == m_sector)
                LoadSector(sector, true);
        });
    }
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags() | Qt::Window);
    show();
}

void frmSectorMap::ShowAgain(QWidget* owner) {
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags() | Qt::Window);
    show();
    raise();
    activateWindow();
}

void frmSectorMap::Unload() {
    m_unloading = true;
    close();
}

void frmSectorMap::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (!m_unloading && !QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

void frmSectorMap::Form_Unload() {
    m_unloaded = true;
    SaveSettings();
    m_events.OnClose();
    deleteLater();
}

bool frmSectorMap::QueryUnload() {
    if (!m_modified)
        return true;
    return AskToKeepMoves(true);
}

bool frmSectorMap::AskToKeepMoves(bool withCancel) {
    const PromptAnswer answer =
        m_prompts.ask(kUnloadQuestion, PromptIcon::Question,
                      withCancel ? PromptButtons::YesNoCancel : PromptButtons::YesNo);
    if (answer == PromptAnswer::Cancel)
        return false;
    if (answer == PromptAnswer::Yes)
        UpdateCoordinates(true);
    else
        // Declined once is not asked again; the moves stay marked, so a
        // later Yes still writes them.
        SetModified(false);
    return true;
}

void frmSectorMap::SelectGalObject(const GalaxyObjectPtr& object) {
    const Ptr sector = mdlCommon::GetSectorOf(object);
    if (sector && (sector != m_sector || sector->Loaded != m_loadedMark)) {
        if (m_autoSync && LoadSector(sector, false))
            SelectGalObject(object);
        return;
    }
    if (!object || (m_selected >= 0 && m_records[m_selected].key == object->Key()))
        return;
    const int32_t index = FindRecordIndex(object->Key());
    if (index < 0)
        return;
    SelectIndex(index, false);
    Repaint();
}

void frmSectorMap::ObjectModified(const GalaxyObjectPtr& object) {
    if (object && object == m_sector)
        UpdateCaption();
    if (!ShowsObjectsOf(object))
        return;
    const int32_t index = FindRecordIndex(object->Key());
    if (index < 0) {
        if (SectorMapRecords::HasRecord(object)) {
            AddRecord(object);
            Repaint();
        }
        return;
    }
    if (!SectorMapRecords::HasRecord(object)) {
        RemoveRecords({object->Key()});
        Repaint();
        return;
    }
    SectorMapObjectRecord& record = m_records[index];
    const SectorMapObjectRecord kept = record;
    record = FillRecord(object);
    // Coordinates moved on the map and not written back survive any edit.
    if (kept.moved) {
        record.x = kept.x;
        record.negY = kept.negY;
        record.negZ = kept.negZ;
        record.moved = true;
    }
    if (index == m_selected)
        ShowObjectStatus(record);
    Repaint();
}

void frmSectorMap::ObjectAdded(const GalaxyObjectPtr& object) {
    if (!ShowsObjectsOf(object))
        return;
    std::vector<QString> keys;
    SectorMapRecords::CollectKeys(object, keys);
    for (const QString& key : keys) {
        const Ptr added = Parser()->objects.find(key);
        if (SectorMapRecords::HasRecord(added) && FindRecordIndex(key) < 0)
            AddRecord(added);
    }
    Repaint();
}

void frmSectorMap::ObjectRemoved(const GalaxyObjectPtr& object) {
    if (!object)
        return;
    if (object == m_sector) {
        m_sector.reset();
        m_records.clear();
        SelectIndex(-1, true);
        UpdateCaption();
    } else {
        std::vector<QString> keys;
        SectorMapRecords::CollectKeys(object, keys);
        RemoveRecords(keys);
    }
    ForgetGoneObjects();
    // Moves of objects that are gone have nothing left to write.
    if (m_modified && !HasMovedRecords())
        SetModified(false);
    Repaint();
}

void frmSectorMap::Clear() {
    // Moves of a map that is still open are offered for writing first; a
    // map already replaced has no objects left to write them to.
    if (m_modified && m_document && m_document->Contains(m_sector))
        AskToKeepMoves(false);
    m_records.clear();
    m_chosenGate.reset();
    m_copiedKey.clear();
    SelectIndex(-1, false);
    m_sector.reset();
    SetModified(false);
    Repaint();
}

// ---- records and selection

clsGalaxyParser* frmSectorMap::Parser() const {
    return m_document ? m_document->parser().get() : nullptr;
}

frmSectorMap::Ptr frmSectorMap::ObjectOf(const SectorMapObjectRecord& record) const {
    return Parser() ? Parser()->objects.find(record.key) : nullptr;
}

// An object below the shown sector, at any depth.
bool frmSectorMap::ShowsObjectsOf(const Ptr& object) const {
    return object && m_sector && object != m_sector && mdlCommon::GetSectorOf(object) == m_sector;
}

bool frmSectorMap::SectorReady() const {
    return m_document && m_sector && m_sector->Loaded && m_document->Contains(m_sector);
}

QSize frmSectorMap::MeasureText(const QString& text) const {
    return m_surface->TextSize(text);
}

SectorMapObjectRecord frmSectorMap::FillRecord(const Ptr& object) const {
    return SectorMapRecords::FillRecord(*Parser(), object, m_labelBits,
                                        [this](const QString& text) { return MeasureText(text); });
}

bool frmSectorMap::LoadSector(const Ptr& sector, bool force) {
    if (!m_autoSync && !force)
        return false;
    if (m_modified && HasMovedRecords() && !AskToKeepMoves(true))
        return false;
    if (sector != m_sector)
        m_copiedKey.clear();
    m_sector = sector;
    m_selected = -1;
    m_records.clear();
    if (sector && Parser()) {
        m_loadedMark = sector->Loaded;
        m_records =
            SectorMapRecords::Collect(*Parser(), sector, m_labelBits,
                                      [this](const QString& text) { return MeasureText(text); });
    }
    SetModified(false);
    Repaint();
    return true;
}

void frmSectorMap::SelectIndex(int32_t index, bool silent) {
    m_selected = index;
    if (index >= 0) {
        if (!silent)
            m_events.OnObjectClick(ObjectOf(m_records[index]));
        // The handler may have changed the records.
        if (m_selected >= 0 && m_selected < static_cast<int32_t>(m_records.size()))
            ShowObjectStatus(m_records[m_selected]);
    } else {
        m_panels[2]->clear();
    }
}

void frmSectorMap::SelectAt(int x, int y) {
    const int32_t index = SectorMapLabels::HitTest(m_records, m_view, m_topView, x, y);
    if (index < 0)
        return;
    SelectIndex(index, false);
    Repaint();
}

void frmSectorMap::AddRecord(const Ptr& object) {
    m_records.push_back(FillRecord(object));
}

void frmSectorMap::RemoveRecords(const std::vector<QString>& keys) {
    const std::unordered_set<QString> gone(keys.begin(), keys.end());
    const QString selectedKey = m_selected >= 0 ? m_records[m_selected].key : QString();
    std::erase_if(m_records,
                  [&](const SectorMapObjectRecord& record) { return gone.contains(record.key); });
    if (m_selected < 0)
        return;
    const int32_t index = gone.contains(selectedKey) ? -1 : FindRecordIndex(selectedKey);
    if (index < 0)
        SelectIndex(-1, true);
    else
        m_selected = index;
}

int32_t frmSectorMap::FindRecordIndex(const QString& key) const {
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].key == key)
            return static_cast<int32_t>(i);
    return -1;
}

bool frmSectorMap::HasMovedRecords() const {
    return std::any_of(m_records.begin(), m_records.end(),
                       [](const SectorMapObjectRecord& record) { return record.moved; });
}

void frmSectorMap::ForgetGoneObjects() {
    if (m_chosenGate && !(m_document && m_document->Contains(m_chosenGate)))
        m_chosenGate.reset();
}

// ---- texts

void frmSectorMap::SetModified(bool modified) {
    m_modified = modified;
    btnUpdate->setEnabled(modified);
    UpdateCaption();
}

void frmSectorMap::UpdateCaption() {
    const QString name = m_sector && Parser() ? Parser()->GetObjectName(m_sector) : QString();
    setWindowTitle(SectorMapTexts::Caption(m_sector != nullptr, name, m_modified));
}

void frmSectorMap::ShowObjectStatus(const SectorMapObjectRecord& record) {
    m_panels[2]->setText(SectorMapTexts::ObjectStatus(record, m_units));
}

void frmSectorMap::UpdateZoomStatus() {
    m_panels[0]->setText(m_view.ZoomText());
}

QString frmSectorMap::PanelText(int panel) const {
    return m_panels.at(static_cast<size_t>(panel - 1))->text();
}

// ---- painting and view

void frmSectorMap::Repaint() {
    Map->update();
}

void frmSectorMap::Map_Resize() {
    m_view.SetAreaSize(Map->size());
    Repaint();
}

void frmSectorMap::PaintMap(QPaintDevice& target, QSize size) {
    m_view.SetAreaSize(size);
    SectorMapScene scene;
    scene.view = &m_view;
    scene.records = &m_records;
    if (m_sector)
        scene.content = m_sector->Loaded ? SectorMapScene::Content::Objects
                                         : SectorMapScene::Content::NotLoaded;
    scene.selected = m_selected;
    scene.topView = m_topView;
    scene.axisLabel = m_axisLabel;
    scene.labelBits = m_labelBits;
    scene.units = m_units;
    scene.measuring = m_measuring;
    scene.measureOrigin = m_measureOrigin;
    scene.mouse = m_lastMouse;
    m_surface->Paint(target, size, SectorMapRenderer::kBackground,
                     [&](QPainter& painter) { m_renderer->Draw(painter, scene); });
}

void frmSectorMap::Zoom(bool zoomIn) {
    if (!m_view.Zoom(zoomIn))
        return;
    UpdateZoomStatus();
    Repaint();
}

void frmSectorMap::Map_Wheel(int delta) {
    m_wheelRemainder += delta;
    while (std::abs(m_wheelRemainder) >= kNotch) {
        const bool zoomIn = m_wheelRemainder > 0;
        m_wheelRemainder += zoomIn ? -kNotch : kNotch;
        Zoom(zoomIn);
    }
}

void frmSectorMap::CenterView() {
    m_view.SetPan(0, 0);
    Repaint();
}

void frmSectorMap::CenterOnSelected() {
    if (m_selected < 0)
        return;
    const SectorMapObjectRecord& record = m_records[m_selected];
    const QPointF pixel =
        m_view.WorldToScreen(static_cast<float>(record.x), static_cast<float>(record.V(m_topView)));
    const QPoint center = m_view.GetCenter();
    m_view.SetPan(static_cast<float>(center.x() - pixel.x()),
                  static_cast<float>(center.y() - pixel.y()));
    Repaint();
}

// ---- mouse and keys

void frmSectorMap::Map_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, float x, float y) {
    m_lastPressed = RoundPoint(m_view.ScreenToWorld(x, y), m_lastPressed);
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    m_dragAnchor = RoundPoint(QPointF(x, y) - QPointF(m_view.GetCenter()), m_dragAnchor);
    const QPoint point = RoundPoint(QPointF(x, y), QPoint());
    SelectAt(point.x(), point.y());
}

void frmSectorMap::Map_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x,
                                 float y) {
    const QPoint center = m_view.GetCenter();
    const bool left = buttons & Qt::LeftButton;
    const bool alt = modifiers & Qt::AltModifier;
    bool repaint = false;
    if (left && !alt) {
        m_view.PanBy(x - static_cast<float>(m_dragAnchor.x() + center.x()),
                     y - static_cast<float>(m_dragAnchor.y() + center.y()));
        repaint = true;
    }
    m_lastMouse = RoundPoint(QPointF(x, y), m_lastMouse);
    const QPointF world = m_view.ScreenToWorld(x, y);
    m_panels[1]->setText(SectorMapTexts::PointerStatus(
        static_cast<float>(world.x()), static_cast<float>(world.y()), m_axisLabel, m_units));
    if (left && alt && m_selected >= 0) {
        const QPoint moved = RoundPoint(world, QPoint());
        if (!m_modified)
            SetModified(true);
        SectorMapObjectRecord& record = m_records[m_selected];
        record.x = moved.x();
        (m_topView ? record.negZ : record.negY) = moved.y();
        record.moved = true;
        ShowObjectStatus(record);
        repaint = true;
    }
    if (repaint || m_measuring)
        Repaint();
}

void frmSectorMap::Map_MouseUp(Qt::MouseButton button, float x, float y) {
    if (button == Qt::RightButton) {
        const QPoint point = RoundPoint(QPointF(x, y), QPoint());
        ShowPopupMenu(point.x(), point.y());
    } else if (button == Qt::MiddleButton) {
        mnuPopDist_Click();
    }
}

void frmSectorMap::Map_DblClick() {
    const int32_t index =
        SectorMapLabels::HitTest(m_records, m_view, m_topView, m_lastMouse.x(), m_lastMouse.y());
    if (index >= 0)
        m_events.OnShowObject(ObjectOf(m_records[index]));
}

// A wheel notch over any part of the window zooms, as one over the map does.
void frmSectorMap::wheelEvent(QWheelEvent* event) {
    Map_Wheel(event->angleDelta().y());
    event->accept();
}

void frmSectorMap::keyPressEvent(QKeyEvent* event) {
    const int code = MapKeys::KeyCode(event->key(), event->modifiers());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyDown(code);
}

void frmSectorMap::Form_KeyDown(int keyCode) {
    switch (keyCode) {
    case MapKeys::kEnter:
        if (m_selected >= 0)
            m_events.OnShowObject(ObjectOf(m_records[m_selected]));
        break;
    case MapKeys::kLeft:
        m_view.PanBy(10, 0);
        Repaint();
        break;
    case MapKeys::kUp:
        m_view.PanBy(0, 10);
        Repaint();
        break;
    case MapKeys::kRight:
        m_view.PanBy(-10, 0);
        Repaint();
        break;
    case MapKeys::kDown:
        m_view.PanBy(0, -10);
        Repaint();
        break;
    case MapKeys::kDelete:
        DeleteSelectedObject();
        break;
    case MapKeys::kAdd:
        Zoom(true);
        break;
    case MapKeys::kSubtract:
        Zoom(false);
        break;
    default:
        break;
    }
}

void frmSectorMap::MainToolbar_ButtonClick(const QString& key) {
    if (key == QLatin1String("sync")) {
        SyncWithEditor();
    } else if (key == QLatin1String("update")) {
        UpdateCoordinates(false);
    } else if (key == QLatin1String("top") || key == QLatin1String("side")) {
        const bool top = key == QLatin1String("top");
        btnTop->setChecked(top);
        btnSide->setChecked(!top);
        UpdateViewAxis();
    } else if (key == QLatin1String("center")) {
        CenterView();
    } else if (key == QLatin1String("centerobj")) {
        CenterOnSelected();
    }
}

// ---- commands

void frmSectorMap::SyncWithEditor() {
    const Ptr object = m_events.OnNeedSync();
    if (object && LoadSector(mdlCommon::GetSectorOf(object), true))
        SelectGalObject(object);
}

void frmSectorMap::UpdateCoordinates(bool noQuestion) {
    if (!m_sector || !m_document)
        return;
    if (!noQuestion && !m_prompts.confirm(QStringLiteral(
                           "Do you want to update coordinates of objects in Ruvaze Rezivo?")))
        return;
    std::vector<GalaxyDocument::MovedPosition> moves;
    for (const SectorMapObjectRecord& record : m_records)
        if (record.moved)
            if (const Ptr object = ObjectOf(record))
                moves.push_back({object, record.x, Negated(record.negY), Negated(record.negZ)});
    // The document tells the editor of each change, which passes it back
    // here; the moved marks keep the records' values meanwhile.
    m_document->WriteBackPositions(moves);
    for (SectorMapObjectRecord& record : m_records)
        record.moved = false;
    SetModified(false);
    m_events.OnCoordsUpdated();
}

void frmSectorMap::ShowPopupMenu(int x, int y) {
    UpdatePopupMenu();
    PopupRunner(*mnuPop, Map->mapToGlobal(QPoint(x, y)));
}

void frmSectorMap::UpdatePopupMenu() {
    const bool selected = m_selected >= 0;
    const bool shown = m_sector != nullptr;
    mnuPopDist->setChecked(m_measuring);
    mnuPopDelete->setEnabled(shown && selected);
    // Objects made in a sector whose contents were not read would be lost
    // when they are read.
    mnuPopAddObj->setEnabled(SectorReady());
    mnuPopCopy->setEnabled(selected);
    mnuPopPaste->setEnabled(!m_copiedKey.isEmpty() && SectorReady());
    const bool gate = shown && selected && m_records[m_selected].type == SectorMapLabels::kGateType;
    mnuPopGate->menuAction()->setVisible(gate);
    mnuPopSep2->setVisible(gate);
    mnuPopGateLink->setEnabled(m_chosenGate != nullptr);
}

void frmSectorMap::mnuPopAddObj_Click() {
    CreateObject();
}

void frmSectorMap::mnuPopCopy_Click() {
    if (m_selected >= 0)
        m_copiedKey = m_records[m_selected].key;
}

void frmSectorMap::mnuPopPaste_Click() {
    PasteObject();
}

void frmSectorMap::mnuPopGateSelect_Click() {
    if (m_selected >= 0)
        m_chosenGate = ObjectOf(m_records[m_selected]);
}

void frmSectorMap::mnuPopGateLink_Click() {
    LinkGates();
}

void frmSectorMap::mnuPopDist_Click() {
    m_measuring = !m_measuring;
    if (m_measuring)
        m_measureOrigin = m_lastPressed;
    Repaint();
}

void frmSectorMap::mnuPopDelete_Click() {
    DeleteSelectedObject();
}

void frmSectorMap::ShowError(const QString& text) {
    m_prompts.tell(text, PromptIcon::Critical);
}

int32_t frmSectorMap::PlaceAtPressedPoint(const Ptr& object) {
    m_document->SetProperty(object, QStringLiteral("x"), m_lastPressed.x());
    m_document->SetProperty(object, m_topView ? QStringLiteral("z") : QStringLiteral("y"),
                            Negated(m_lastPressed.y()));
    // The editor may have passed the new object back here already.
    int32_t index = FindRecordIndex(object->Key());
    if (index < 0 && SectorMapRecords::HasRecord(object)) {
        AddRecord(object);
        index = static_cast<int32_t>(m_records.size()) - 1;
    }
    return index;
}

void frmSectorMap::CreateObject() {
    if (!SectorReady())
        return;
    const Ptr object = Parser()->NewGalObject(m_sector);
    {
        frmNewGalObject dialog(this);
        dialog.NewObject(*Parser(), object, true, true, this);
        if (dialog.ModalResult != 1)
            return;
    }
    if (!m_document->AddNewObject(object, GalaxyDocument::Failed::TakeBack)) {
        ShowError(m_document->LastError());
        return;
    }
    m_selected = PlaceAtPressedPoint(object);
    Repaint();
    m_events.OnObjectCreated(object);
    m_events.OnObjectClick(object);
}

void frmSectorMap::PasteObject() {
    if (!SectorReady())
        return;
    const Ptr copied = Parser()->objects.find(m_copiedKey);
    if (!copied)
        return;
    const Ptr copy = m_document->PasteObject(copied, copied, GalaxyDocument::Failed::TakeBack);
    if (!copy) {
        ShowError(m_document->LastError());
        return;
    }
    SelectIndex(PlaceAtPressedPoint(copy), false);
    Repaint();
    m_events.OnObjectCreated(copy);
}

void frmSectorMap::DeleteSelectedObject() {
    if (m_selected < 0 || !m_document)
        return;
    const Ptr object = ObjectOf(m_records[m_selected]);
    if (!object)
        return;
    const QString question = QStringLiteral("Do you really want to delete selected object ") +
                             Parser()->GetObjectName(object) + QStringLiteral(" (") +
                             Parser()->GetObjectID(object) + QStringLiteral(") ?");
    if (!m_prompts.confirm(question))
        return;
    if (!m_document->DeleteObject(object))
        ShowError(QStringLiteral("Error deleting object: \n") + Parser()->GetLastError());
    // A delete that failed half way still took the object out of the map;
    // the editor passed that on here, which removed its records.
    if (m_document->Contains(object))
        return;
    Repaint();
    m_events.OnObjectDeleted(object);
}

void frmSectorMap::LinkGates() {
    ForgetGoneObjects();
    if (!m_chosenGate || m_selected < 0)
        return;
    const Ptr first = m_chosenGate;
    const Ptr firstSector = mdlCommon::GetSectorOf(first);
    if (!firstSector) {
        ShowError(QStringLiteral("Previously selected gate does not have parent!"));
        return;
    }
    const QString question =
        QStringLiteral("Do you want to cross-link the gates or just to link this gate to the "
                       "previously selected one?\nPreviously selected gate: ") +
        Parser()->GetObjectName(firstSector) + QStringLiteral(", GID = ") +
        QString::number(first->NamedProperty(QStringLiteral("gid"))) +
        QStringLiteral("\n\nPress Yes to cross-link the gates.\nPress No to make one way "
                       "connection.");
    const PromptAnswer answer =
        m_prompts.ask(question, PromptIcon::Question, PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::Cancel)
        return;
    const Ptr second = ObjectOf(m_records[m_selected]);
    if (!second)
        return;
    if (!m_document->LinkGates(second, first, answer == PromptAnswer::Yes)) {
        m_prompts.tell(m_document->LastError(),
                       second == first ? PromptIcon::Exclamation : PromptIcon::Critical);
        return;
    }
    m_events.OnObjectModified(second);
    if (answer == PromptAnswer::Yes)
        m_events.OnObjectModified(first);
}
