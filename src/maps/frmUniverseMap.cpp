#include "maps/frmUniverseMap.h"

#include "common/mdlCommon.h"
#include "galaxy/GalaxyDocument.h"
#include "maps/MapArea.h"
#include "maps/MapKeys.h"
#include "maps/MapMath.h"
#include "maps/MapSurface.h"
#include "maps/MapWindowSurface.h"
#include "maps/UniverseMapOptions.h"
#include "maps/UniverseMapRenderer.h"
#include "platform/BoundedArrayLookups.h"
#include "shell/mdlZorvConst.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

const QString kTitle = QStringLiteral("Ruvaze Rezivo - Universe Map");
constexpr int32_t kSectorType = 1;
constexpr int32_t kGateType = 18;
constexpr float kShiftPan = 20;

} // namespace

frmUniverseMap::frmUniverseMap(UniverseMapEvents& events, QWidget* parent, QSize screen)
    : QWidget(parent, Qt::Window), m_events(events), m_prompts(kTitle, this) {
    setObjectName(QStringLiteral("frmUniverseMap"));
    BuildControls();
    BuildPopupMenu();
    m_surface =
        CreateMapSurface(screen, UniverseMapRenderer::kBackground, QColor(255, 255, 255), this);
    m_renderer = std::make_unique<UniverseMapRenderer>(*m_surface);
    const UniverseMapOptions options = UniverseMapOptions::Load();
    m_showGrid = options.showGrid;
    m_showNames = options.showNames;
    setWindowTitle(QStringLiteral("Universe Map"));
}

frmUniverseMap::~frmUniverseMap() = default;

void frmUniverseMap::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Map = new MapArea(kDesignMapSize, this);
    Map->setObjectName(QStringLiteral("Map"));
    Map->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    MapArea::Handlers handlers;
    handlers.paint = [this] { PaintMap(*Map, Map->size()); };
    handlers.resize = [this] { Repaint(); };
    handlers.mouseDown = [this](QMouseEvent& event) {
        Map_MouseDown(event.button(), static_cast<float>(event.position().x()),
                      static_cast<float>(event.position().y()));
    };
    handlers.mouseMove = [this](QMouseEvent& event) {
        Map_MouseMove(event.buttons(), event.modifiers(), static_cast<float>(event.position().x()),
                      static_cast<float>(event.position().y()));
    };
    handlers.mouseUp = [this](QMouseEvent& event) {
        Map_MouseUp(event.button(), event.modifiers(), static_cast<float>(event.position().x()),
                    static_cast<float>(event.position().y()));
    };
    handlers.doubleClick = [this] { Map_DblClick(); };
    handlers.keyUp = [this](Qt::KeyboardModifiers modifiers) { Map_KeyUp(modifiers); };
    Map->SetHandlers(std::move(handlers));
    layout->addWidget(Map, 1);
    Bar = new QStatusBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    for (size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new QLabel(Bar);
        m_panels[i]->setMinimumWidth(90);
        Bar->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
    layout->addWidget(Bar);
}

void frmUniverseMap::BuildPopupMenu() {
    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPopupAddSec = mnuPopup->addAction(QStringLiteral("Add sector"));
    mnuPopupAddSec->setObjectName(QStringLiteral("mnuPopupAddSec"));
    mnuPopupRemoveSec = mnuPopup->addAction(QStringLiteral("Remove sector..."));
    mnuPopupRemoveSec->setObjectName(QStringLiteral("mnuPopupRemoveSec"));
    mnuPopup->addSeparator();
    mnuPopCopy = mnuPopup->addAction(QStringLiteral("Copy"));
    mnuPopCopy->setObjectName(QStringLiteral("mnuPopCopy"));
    mnuPopPaste = mnuPopup->addAction(QStringLiteral("Paste"));
    mnuPopPaste->setObjectName(QStringLiteral("mnuPopPaste"));
    mnuPopup->addSeparator();
    mnuPopNames = mnuPopup->addAction(QStringLiteral("Show names"));
    mnuPopNames->setObjectName(QStringLiteral("mnuPopNames"));
    mnuPopupGrid = mnuPopup->addAction(QStringLiteral("Show grid"));
    mnuPopupGrid->setObjectName(QStringLiteral("mnuPopupGrid"));
    mnuPopNames->setCheckable(true);
    mnuPopupGrid->setCheckable(true);
    connect(mnuPopupAddSec, &QAction::triggered, this, &frmUniverseMap::mnuPopupAddSec_Click);
    connect(mnuPopupRemoveSec, &QAction::triggered, this, &frmUniverseMap::mnuPopupRemoveSec_Click);
    connect(mnuPopCopy, &QAction::triggered, this, &frmUniverseMap::mnuPopCopy_Click);
    connect(mnuPopPaste, &QAction::triggered, this, &frmUniverseMap::mnuPopPaste_Click);
    connect(mnuPopNames, &QAction::triggered, this, &frmUniverseMap::mnuPopNames_Click);
    connect(mnuPopupGrid, &QAction::triggered, this, &frmUniverseMap::mnuPopupGrid_Click);
    PopupRunner = [](QMenu& menu, const QPoint& point) { menu.exec(point); };
}

// ---- the editor's calls

void frmUniverseMap::ShowUniverse(GalaxyDocument& document, QWidget* owner) {
    m_layout.ResetMeasurements();
    RefreshUniverse(document);
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags() | Qt::Window);
    show();
}

void frmUniverseMap::RefreshUniverse(GalaxyDocument& document) {
    if (m_document != &document) {
        if (m_document)
            disconnect(m_document, nullptr, this, nullptr);
        m_document = &document;
        // Reading a sector replaces its gates, which the links were made from.
        connect(m_document, &GalaxyDocument::SectorLoaded, this, [this] {
            Rebuild(true);
            Repaint();
        });
    }
    Rebuild(false);
    Repaint();
}

void frmUniverseMap::Clear() {
    m_records.clear();
    m_layout.ClearCells();
    m_moving = -1;
    m_copied.reset();
    SelectIndex(-1, true);
    Repaint();
}

void frmUniverseMap::ObjectAdded(const GalaxyObjectPtr& object) {
    if (!object || (object->otype() != kSectorType && object->otype() != kGateType))
        return;
    Rebuild(false);
    Repaint();
}

void frmUniverseMap::ObjectRemoved(const GalaxyObjectPtr& object) {
    ObjectAdded(object);
}

void frmUniverseMap::ObjectModified(const GalaxyObjectPtr& object) {
    if (!object || (object->otype() != kSectorType && object->otype() != kGateType))
        return;
    Rebuild(true);
    Repaint();
}

void frmUniverseMap::SelectSector(const GalaxyObjectPtr& object) {
    const Ptr sector = mdlCommon::GetSectorOf(object);
    if (!sector) {
        SelectIndex(-1, true);
        Repaint();
        return;
    }
    if (m_selected >= 0 && m_records[m_selected].Key == sector->Key())
        return;
    const int32_t index = IndexOfKey(sector->Key());
    if (index < 0)
        return;
    SelectIndex(index, true);
    BringIntoView(index);
    Repaint();
}

void frmUniverseMap::Unload() {
    close();
}

void frmUniverseMap::closeEvent(QCloseEvent* event) {
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    UniverseMapOptions options;
    options.showGrid = m_showGrid;
    options.showNames = m_showNames;
    options.Save();
    m_events.OnClose();
    deleteLater();
}

// ---- records

clsGalaxyParser* frmUniverseMap::Parser() const {
    return m_document ? m_document->parser().get() : nullptr;
}

bool frmUniverseMap::Good() const {
    return m_document && m_document->Good();
}

frmUniverseMap::Ptr frmUniverseMap::SectorOf(int32_t index) const {
    if (!Parser() || index < 0 || index >= static_cast<int32_t>(m_records.size()))
        return nullptr;
    return Parser()->Sectors.find(m_records[static_cast<size_t>(index)].Key);
}

QSize frmUniverseMap::MeasureText(const QString& text) const {
    return m_surface->TextSize(text);
}

void frmUniverseMap::Rebuild(bool silent) {
    if (!Parser())
        return;
    m_records = UniverseMapLayout::FillRecords(*Parser());
    m_moving = -1;
    if (m_selected >= static_cast<int32_t>(m_records.size()))
        m_selected = -1;
    QString caption = QStringLiteral("Universe Map");
    if (!Parser()->FileName.isEmpty())
        caption += QStringLiteral(" [") + Parser()->FileName + QLatin1Char(']');
    setWindowTitle(caption);
    m_layout.Rebuild(*Parser(), m_records, m_showNames,
                     [this](const QString& text) { return MeasureText(text); });
    SelectIndex(m_selected, silent);
}

void frmUniverseMap::SelectIndex(int32_t index, bool silent) {
    m_selected = index;
    if (index < 0) {
        m_panels[1]->clear();
        m_panels[2]->clear();
        return;
    }
    if (!silent)
        m_events.OnSectorClick(SectorOf(index));
    if (m_selected < 0 || m_selected >= static_cast<int32_t>(m_records.size()))
        return;
    const UniverseSectorRecord& record = m_records[static_cast<size_t>(m_selected)];
    m_panels[1]->setText(mdlCommon::GetArrayString(mdlZorvConst::RaceNames, record.race));
    m_panels[2]->setText(record.name + QStringLiteral(" (") + QString::number(record.x) +
                         QStringLiteral(", ") + QString::number(record.y) + QLatin1Char(')'));
}

void frmUniverseMap::BringIntoView(int32_t index) {
    const QRect cell = m_records[static_cast<size_t>(index)].cell;
    if (cell.isNull())
        return;
    QPointF pan = m_layout.Pan();
    const double left = cell.left() + pan.x();
    const double top = cell.top() + pan.y();
    const QSize area = Map->size();
    const int width = m_layout.CellWidth();
    const int height = m_layout.CellHeight();
    if (left < 0 || left + width > area.width())
        pan.setX(pan.x() - left + area.width() / 2.0 - width / 2.0);
    if (top < 0 || top + height > area.height())
        pan.setY(pan.y() - top + area.height() / 2.0 - height / 2.0);
    if (pan != m_layout.Pan()) {
        m_layout.SetPan(pan);
        Repaint();
    }
}

int32_t frmUniverseMap::PickAt(QPoint cell) const {
    const std::vector<int32_t>& here = m_layout.RecordsAt(cell);
    if (here.empty())
        return -1;
    const auto selected = std::find(here.begin(), here.end(), m_selected);
    if (selected == here.end() || selected + 1 == here.end())
        return here.front();
    return *(selected + 1);
}

int32_t frmUniverseMap::IndexOfKey(const QString& key) const {
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].Key == key)
            return static_cast<int32_t>(i);
    return -1;
}

QPoint frmUniverseMap::MouseCell() const {
    return m_layout.CellAt(QPointF(m_lastMouse));
}

QString frmUniverseMap::PanelText(int panel) const {
    return m_panels.at(static_cast<size_t>(panel - 1))->text();
}

// ---- painting

void frmUniverseMap::Repaint() {
    Map->update();
}

void frmUniverseMap::PaintMap(QPaintDevice& target, QSize size) {
    UniverseMapScene scene;
    scene.layout = &m_layout;
    scene.records = &m_records;
    scene.area = size;
    scene.selected = m_selected;
    scene.moving = m_moving;
    scene.mouse = m_lastMouse;
    scene.showGrid = m_showGrid;
    m_surface->Paint(target, size, UniverseMapRenderer::kBackground,
                     [&](QPainter& painter) { m_renderer->Draw(painter, scene); });
}

// ---- mouse and keys

void frmUniverseMap::Map_MouseDown(Qt::MouseButton button, float x, float y) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    const QPointF pan = m_layout.Pan();
    m_dragAnchor =
        QPoint(mapmath::Round(x - pan.x()).value_or(0), mapmath::Round(y - pan.y()).value_or(0));
    const int32_t index = PickAt(m_layout.CellAt(QPointF(x, y)));
    if (button == Qt::RightButton || index >= 0)
        SelectIndex(index, false);
    Repaint();
}

void frmUniverseMap::Map_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                   float x, float y) {
    m_lastMouse = QPoint(mapmath::Round(x).value_or(m_lastMouse.x()),
                         mapmath::Round(y).value_or(m_lastMouse.y()));
    const bool left = buttons & Qt::LeftButton;
    const bool alt = modifiers & Qt::AltModifier;
    if (left && !alt) {
        const QPointF pan = m_layout.Pan();
        const QPointF step = QPointF(m_lastMouse) - (QPointF(m_dragAnchor) + pan);
        m_layout.SetPan(pan + QPointF(std::nearbyint(step.x()), std::nearbyint(step.y())));
    }
    if (left && alt && m_moving < 0)
        m_moving = m_layout.FindSectorIndex(MouseCell().x(), MouseCell().y());
    if (left)
        Repaint();
    const QPoint cell = MouseCell();
    m_panels[0]->setText(QStringLiteral("X: ") + QString::number(cell.x()) +
                         QStringLiteral(", Y: ") + QString::number(cell.y()));
}

void frmUniverseMap::Map_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, float x,
                                 float y) {
    if (button == Qt::LeftButton || !(modifiers & Qt::AltModifier))
        FinishMove();
    if (button == Qt::RightButton) {
        m_lastMouse = QPoint(mapmath::Round(x).value_or(0), mapmath::Round(y).value_or(0));
        UpdatePopupMenu();
        PopupRunner(*mnuPopup, Map->mapToGlobal(m_lastMouse));
    }
}

void frmUniverseMap::Map_KeyUp(Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::AltModifier))
        FinishMove();
}

void frmUniverseMap::Map_DblClick() {
    const int32_t index = m_layout.FindSectorIndex(MouseCell().x(), MouseCell().y());
    if (index >= 0)
        m_events.OnDisplaySector(SectorOf(index));
}

void frmUniverseMap::keyPressEvent(QKeyEvent* event) {
    const int code = MapKeys::KeyCode(event->key(), event->modifiers());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyDown(code, event->modifiers() & Qt::ShiftModifier);
}

void frmUniverseMap::Form_KeyDown(int keyCode, bool shift) {
    auto arrow = [&](Direction direction, float dx, float dy) {
        if (!shift) {
            StepSelection(direction);
            return;
        }
        m_layout.SetPan(m_layout.Pan() + QPointF(dx, dy));
        Repaint();
    };
    switch (keyCode) {
    case MapKeys::kEnter:
        if (m_selected >= 0)
            m_events.OnDisplaySector(SectorOf(m_selected));
        break;
    case MapKeys::kLeft:
        arrow(Direction::Left, kShiftPan, 0);
        break;
    case MapKeys::kUp:
        arrow(Direction::Up, 0, kShiftPan);
        break;
    case MapKeys::kRight:
        arrow(Direction::Right, -kShiftPan, 0);
        break;
    case MapKeys::kDown:
        arrow(Direction::Down, 0, -kShiftPan);
        break;
    case MapKeys::kDelete:
        RemoveSector();
        break;
    default:
        break;
    }
}

// Two sectors in one cell are stepped through in index order first.
void frmUniverseMap::StepSelection(Direction direction) {
    if (m_selected < 0) {
        if (m_records.empty())
            return;
        m_selected = 0;
        BringIntoView(0);
        Repaint();
        return;
    }
    const UniverseSectorRecord& selected = m_records[static_cast<size_t>(m_selected)];
    const bool forward = direction == Direction::Right || direction == Direction::Down;
    const bool across = direction == Direction::Left || direction == Direction::Right;
    int32_t target = -1;
    const std::vector<int32_t>& here = m_layout.RecordsAt(QPoint(selected.x, selected.y));
    const auto self = std::find(here.begin(), here.end(), m_selected);
    if (forward && self != here.end() && self + 1 != here.end())
        target = *(self + 1);
    else if (!forward && self != here.end() && self != here.begin())
        target = *(self - 1);
    if (target < 0) {
        const int step = forward ? 1 : -1;
        const QPoint neighbour(selected.x + (across ? step : 0), selected.y + (across ? 0 : step));
        target = m_layout.FindSectorIndex(neighbour.x(), neighbour.y());
        if (target < 0) {
            // The nearest sector beyond the empty neighbour in the same row or column.
            const int32_t from = across ? neighbour.x() : neighbour.y();
            std::optional<int32_t> best;
            for (const UniverseSectorRecord& record : m_records) {
                if ((across ? record.y != selected.y : record.x != selected.x))
                    continue;
                const int32_t at = across ? record.x : record.y;
                if ((forward ? at > from : at < from) &&
                    (!best || (forward ? at < *best : at > *best)))
                    best = at;
            }
            if (best)
                target = across ? m_layout.FindSectorIndex(*best, selected.y)
                                : m_layout.FindSectorIndex(selected.x, *best);
        }
    }
    if (target < 0 || target == m_selected)
        return;
    SelectIndex(target, false);
    Repaint();
    BringIntoView(target);
}

// ---- commands

bool frmUniverseMap::CheckCell(QPoint cell) {
    if (UniverseMapLayout::IsOnGrid(cell))
        return true;
    m_prompts.tell(QStringLiteral("Allowed coordinates values are X<0; 19>, Y<0; 14>"),
                   PromptIcon::Exclamation);
    return false;
}

void frmUniverseMap::ShowError(const QString& text) {
    m_prompts.tell(text, PromptIcon::Critical);
}

void frmUniverseMap::UpdatePopupMenu() {
    const bool good = Good();
    const bool empty = m_layout.RecordsAt(MouseCell()).empty();
    mnuPopupAddSec->setEnabled(empty && good);
    mnuPopupRemoveSec->setEnabled(!mnuPopupAddSec->isEnabled() && good);
    mnuPopCopy->setEnabled(!empty && good);
    mnuPopPaste->setEnabled(m_copied && empty && good);
    mnuPopNames->setChecked(m_showNames);
    mnuPopupGrid->setChecked(m_showGrid);
}

void frmUniverseMap::mnuPopupAddSec_Click() {
    AddSector();
}

void frmUniverseMap::mnuPopupRemoveSec_Click() {
    RemoveSector();
}

void frmUniverseMap::mnuPopCopy_Click() {
    const int32_t index = m_layout.FindSectorIndex(MouseCell().x(), MouseCell().y());
    if (index >= 0)
        m_copied = SectorOf(index);
}

void frmUniverseMap::mnuPopPaste_Click() {
    PasteSector();
}

void frmUniverseMap::mnuPopNames_Click() {
    m_showNames = !m_showNames;
    Rebuild(false);
    Repaint();
}

void frmUniverseMap::mnuPopupGrid_Click() {
    m_showGrid = !m_showGrid;
    Repaint();
}

// The cell is checked before anything is made.
void frmUniverseMap::AddSector() {
    const QPoint cell = MouseCell();
    if (!Good() || !m_layout.RecordsAt(cell).empty() || !CheckCell(cell))
        return;
    const Ptr sector = Parser()->NewGalObject(nullptr);
    sector->Setotype(kSectorType);
    if (!m_document->AddNewObject(sector, GalaxyDocument::Failed::TakeBack)) {
        ShowError(m_document->LastError());
        return;
    }
    m_document->SetProperty(sector, QStringLiteral("x"), cell.x());
    m_document->SetProperty(sector, QStringLiteral("y"), cell.y());
    Rebuild(false);
    m_events.OnSectorCreated(sector);
    SelectIndex(IndexOfKey(sector->Key()), false);
    Repaint();
}

void frmUniverseMap::RemoveSector() {
    const Ptr sector = SectorOf(m_selected);
    if (!sector || !m_document)
        return;
    const QString question = QStringLiteral("Do you really want to remove sector ") +
                             Parser()->GetObjectName(sector) + QStringLiteral(" (") +
                             Parser()->GetObjectID(sector) + QStringLiteral(") ?");
    if (!m_prompts.confirm(question))
        return;
    if (!m_document->DeleteObject(sector))
        ShowError(m_document->LastError());
    // A delete that failed half way still took the sector out of the map.
    if (m_document->Contains(sector))
        return;
    if (m_copied == sector)
        m_copied.reset();
    Rebuild(false);
    Repaint();
    m_events.OnSectorDeleted(sector);
}

void frmUniverseMap::PasteSector() {
    const QPoint cell = MouseCell();
    if (!Good() || !m_copied || !m_layout.RecordsAt(cell).empty() || !CheckCell(cell) ||
        !m_document->Contains(m_copied))
        return;
    const Ptr copy = m_document->PasteObject(m_copied, m_copied, GalaxyDocument::Failed::TakeBack);
    if (!copy) {
        ShowError(m_document->LastError());
        return;
    }
    m_document->SetProperty(copy, QStringLiteral("x"), cell.x());
    m_document->SetProperty(copy, QStringLiteral("y"), cell.y());
    Rebuild(false);
    Repaint();
    m_events.OnSectorCreated(copy);
}

void frmUniverseMap::FinishMove() {
    if (m_moving < 0)
        return;
    const QPoint target = MouseCell();
    const Ptr sector = SectorOf(m_moving);
    m_moving = -1;
    if (m_layout.RecordsAt(target).empty() && sector && CheckCell(target)) {
        const QPoint from(sector->x(), sector->y());
        m_document->SetProperty(sector, QStringLiteral("x"), target.x());
        m_document->SetProperty(sector, QStringLiteral("y"), target.y());
        // A sector whose contents were not read is read again from the file.
        if (!sector->Loaded && !Parser()->UpdateObjectXML(sector))
            ShowError(Parser()->GetLastError());
        m_events.OnSectorModified(sector);
        RetargetGates(from, target);
        Rebuild(false);
    }
    Repaint();
}

// The gates are gathered first: the editor rebuilds its views while they change.
void frmUniverseMap::RetargetGates(QPoint from, QPoint to) {
    std::vector<Ptr> gates;
    for (const Ptr& object : Parser()->objects)
        if (object->otype() == kGateType && object->Property(QStringLiteral("gx")) &&
            object->Property(QStringLiteral("gy")) &&
            object->NamedProperty(QStringLiteral("gx")) == from.x() &&
            object->NamedProperty(QStringLiteral("gy")) == from.y())
            gates.push_back(object);
    for (const Ptr& gate : gates) {
        m_document->SetProperty(gate, QStringLiteral("gx"), to.x());
        m_document->SetProperty(gate, QStringLiteral("gy"), to.y());
        // Gates of sectors not read yet would be read again from the file.
        if (!Parser()->UpdateObjectXML(gate))
            ShowError(Parser()->GetLastError());
        m_events.OnSectorModified(gate);
    }
}
