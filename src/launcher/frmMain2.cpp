#include "launcher/frmMain2.h"

#include "common/mdlCommonGlobals.h"
#include "launcher/LauncherActions.h"
#include "launcher/LauncherCommandLine.h"
#include "launcher/LauncherIcons.h"
#include "launcher/LauncherView.h"
#include "platform/Prompts.h"
#include "platform/widgets/ChosenRow.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using mdlComFunctions::GetFileTitle;
using mdlComFunctions::GetListItemByKey;
using mdlComFunctions::kItemKeyRole;
using mdlCommon::Settings;

namespace launcher {

namespace {

const QString kTitle = QStringLiteral("Zorv Editor");
// The caption last accepted, so an emptied caption can be put back.
constexpr int kCaptionRole = Qt::UserRole + 2;
constexpr int kMargin = 5;

// The icon of an outside program, or the empty image when the file has none;
// one icon per path.
QIcon ExtractProgramIcon(const QString& path) {
    static QHash<QString, QIcon> images;
    const auto known = images.constFind(path);
    if (known != images.constEnd())
        return *known;
    const QFileInfo file(path);
    const QIcon icon =
        file.exists() ? QFileIconProvider().icon(file) : BuiltInIcon(QStringLiteral("empty"));
    images.insert(path, icon);
    return icon;
}

// Halves go to the even number, as the grid rules ask.
int snap(int position, int cell) {
    if (cell <= 0)
        return position;
    return static_cast<int>(std::nearbyint(static_cast<double>(position) / cell)) * cell + kMargin;
}

} // namespace

frmMain2::frmMain2(LauncherActions& actions, QWidget* parent)
    : QWidget(parent), m_actions(actions), m_arguments(QCoreApplication::arguments().mid(1)) {
    setWindowTitle(kTitle);
    setWindowIcon(BuiltInIcon(QStringLiteral("te")));
    View = new LauncherView(this);
    View->setViewMode(QListView::IconMode);
    View->setMovement(QListView::Free);
    View->setIconSize(QSize(48, 48));
    View->setWordWrap(true);
    View->setEditTriggers(QAbstractItemView::EditKeyPressed);
    View->viewport()->installEventFilter(this);
    View->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(View);

    m_popup = new QMenu(this);
    QMenu* icons = m_popup->addMenu(QStringLiteral("Icons"));
    m_autoArrange = icons->addAction(QStringLiteral("Auto Arrange"));
    m_autoArrange->setCheckable(true);
    m_rename = m_popup->addAction(QStringLiteral("Rename"));
    connect(m_autoArrange, &QAction::triggered, this, [this] {
        Settings().SetAutoArrangeIcons(!Settings().AutoArrangeIcons());
        if (Settings().AutoArrangeIcons())
            ArrangeIcons();
    });
    connect(m_rename, &QAction::triggered, this, &frmMain2::RenameSelected);
    platform::OnChosenRowActivated(View, this,
                                   [this](const QModelIndex&) { ExecuteSelectedItem(); });
    connect(View, &QListWidget::itemChanged, this, &frmMain2::OnItemChanged);

    BuildItems();
    Settings().LoadWindowPos(this, QStringLiteral("main"), 375, 143);
    const QSignalBlocker quiet(View);
    Settings().LoadIcons(View);
    for (int i = 0; i < View->count(); ++i)
        View->item(i)->setData(kCaptionRole, View->item(i)->text());
}

void frmMain2::BuildItems() {
    AddItem(QStringLiteral("te"), QStringLiteral("DIV Avuruz"), BuiltInIcon(QStringLiteral("te")));
    AddItem(QStringLiteral("ge"), QStringLiteral("Ruvaze Rezivo"),
            BuiltInIcon(QStringLiteral("ge")));
    AddItem(QStringLiteral("tre"), QStringLiteral("Text Resource Editor"),
            BuiltInIcon(QStringLiteral("tre")));
    AddProgramItem(QStringLiteral("zorvmm"), Settings().ZorvMMFullPath(),
                   QStringLiteral("Zorv ModManager"));
    AddItem(QStringLiteral("zorv"), QStringLiteral("Zorv"),
            ExtractProgramIcon(Settings().ZorvEXEPath()));
    AddProgramItem(QStringLiteral("custom"), Settings().CustomProgram(), QString());
    AddProgramItem(QStringLiteral("3Dviwer"), Settings().Ext3DViewerPath(), QString());
    AddItem(QStringLiteral("settings"), QStringLiteral("Settings"),
            BuiltInIcon(QStringLiteral("settings")));
    AddItem(QStringLiteral("help"), QStringLiteral("Help"), BuiltInIcon(QStringLiteral("help")));
    AddItem(QStringLiteral("about"), QStringLiteral("About"), BuiltInIcon(QStringLiteral("about")));
}

QListWidgetItem* frmMain2::AddItem(const QString& key, const QString& caption, const QIcon& icon) {
    auto* item = new QListWidgetItem(icon, caption);
    item->setData(kItemKeyRole, key);
    item->setData(kCaptionRole, caption);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    View->addItem(item);
    return item;
}

// An item for an outside program exists only while its path is set; without
// a fixed caption it is named after the program file.
void frmMain2::AddProgramItem(const QString& key, const QString& path, const QString& caption) {
    if (path.isEmpty())
        return;
    AddItem(key, caption.isEmpty() ? GetFileTitle(path, true) : caption, ExtractProgramIcon(path));
}

void frmMain2::MyShow(bool modal, QWidget* owner) {
    if (owner && owner != this)
        setParent(owner, Qt::Window);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    show();
    setWindowTitle(QStringLiteral("%1 (%2)").arg(kTitle, mdlComFunctions::GetAppVersion()));
    ProcessCommandLine();
    if (Settings().ZorvPath().isEmpty() &&
        m_prompts.confirm(QStringLiteral("Zorv Editor was unable to find Zorv path in your "
                                         "registry. Do you want to set it now manually?")))
        ShowSettingsAndRefresh();
}

void frmMain2::ProcessCommandLine() {
    const CommandLinePlan plan = launcher::ProcessCommandLine(m_arguments);
    for (const QString& warning : plan.warnings)
        m_prompts.tell(warning, platform::PromptIcon::Exclamation);
    switch (plan.editor) {
    case EditorKind::TFile:
        m_actions.OpenTXTEditor(this, plan.file);
        break;
    case EditorKind::Map:
        m_actions.OpenGalaxyEditor(this, plan.file);
        break;
    case EditorKind::Xml:
        m_actions.OpenResEditor(this, plan.file);
        break;
    case EditorKind::None:
        break;
    }
}

void frmMain2::ExecuteSelectedItem() {
    if (const QListWidgetItem* item = platform::ChosenItem(View))
        ExecuteItem(item->data(kItemKeyRole).toString());
}

void frmMain2::ExecuteItem(const QString& key) {
    if (key == QLatin1String("te"))
        m_actions.OpenTXTEditor(this, QString());
    else if (key == QLatin1String("ge"))
        m_actions.OpenGalaxyEditor(this, QString());
    else if (key == QLatin1String("tre"))
        m_actions.OpenResEditor(this, QString());
    else if (key == QLatin1String("zorvmm"))
        RunProgram(Settings().ZorvMMFullPath());
    else if (key == QLatin1String("zorv"))
        RunProgram(Settings().ZorvEXEPath());
    else if (key == QLatin1String("custom"))
        RunProgram(Settings().CustomProgram());
    else if (key == QLatin1String("3Dviwer"))
        RunProgram(Settings().Ext3DViewerPath());
    else if (key == QLatin1String("settings"))
        ShowSettingsAndRefresh();
    else if (key == QLatin1String("help"))
        m_actions.ShowHelp();
    else if (key == QLatin1String("about"))
        m_actions.ShowAbout(this);
}

// A path that is not set starts nothing and says nothing; a program that
// cannot be started is reported.
void frmMain2::RunProgram(const QString& path) {
    if (path.isEmpty())
        return;
    QString error;
    if (!m_actions.RunProgram(path, error))
        m_prompts.tell(QStringLiteral("Error starting program:\n\n%1").arg(error),
                       platform::PromptIcon::Critical);
}

void frmMain2::ShowSettingsAndRefresh() {
    if (!m_actions.ShowSettings(this))
        return;
    RefreshProgramItem(QStringLiteral("custom"), Settings().CustomProgram());
    RefreshProgramItem(QStringLiteral("3Dviwer"), Settings().Ext3DViewerPath());
}

void frmMain2::RefreshProgramItem(const QString& key, const QString& path) {
    if (path.isEmpty()) {
        mdlComFunctions::RemoveListItemByKey(View, key);
        return;
    }
    const QSignalBlocker quiet(View);
    QListWidgetItem* item = GetListItemByKey(View, key);
    if (!item)
        item = AddItem(key, QString(), QIcon());
    const QString caption = GetFileTitle(path, true);
    item->setText(caption);
    item->setData(kCaptionRole, caption);
    item->setIcon(ExtractProgramIcon(path));
    SnapIconToGrid(item);
}

void frmMain2::MeasureCells() {
    for (int i = 0; i < View->count(); ++i) {
        const QSize size = View->visualItemRect(View->item(i)).size();
        m_cellWidth = std::max(m_cellWidth, size.width());
        m_cellHeight = std::max(m_cellHeight, size.height());
    }
}

void frmMain2::ArrangeIcons() {
    int x = 0;
    int y = 0;
    for (int i = 0; i < View->count(); ++i) {
        if (View->viewport()->width() <= x + m_cellWidth + kMargin) {
            y += m_cellHeight;
            x = 0;
        }
        View->PlaceItem(View->item(i), QPoint(x + kMargin, y + kMargin));
        x += m_cellWidth;
    }
}

void frmMain2::SnapIconToGrid(QListWidgetItem* item) {
    if (!item)
        return;
    const QPoint position = View->ItemPosition(item);
    View->PlaceItem(item,
                    QPoint(snap(position.x(), m_cellWidth), snap(position.y(), m_cellHeight)));
}

void frmMain2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_arranged)
        return;
    m_arranged = true;
    MeasureCells();
    ArrangeIcons();
    FitToItems();
}

// The window opens showing every item without scrolling; the stored or
// default size is the least, the screen the most.
void frmMain2::FitToItems() {
    QRect items;
    for (int i = 0; i < View->count(); ++i) {
        const QListWidgetItem* item = View->item(i);
        items |= QRect(View->ItemPosition(item), View->visualItemRect(item).size());
    }
    const QSize room = View->maximumViewportSize();
    const QSize missing(std::max(0, items.right() + 1 + kMargin - room.width()),
                        std::max(0, items.bottom() + 1 + kMargin - room.height()));
    if (missing.width() == 0 && missing.height() == 0)
        return;
    QSize fitting = size() + missing;
    if (const QScreen* shown = screen())
        fitting = fitting.boundedTo(shown->availableSize());
    resize(fitting.expandedTo(size()));
}

void frmMain2::closeEvent(QCloseEvent* event) {
    if (windowState() == Qt::WindowNoState)
        Settings().SaveWindowPos(this, QStringLiteral("main"));
    Settings().SaveIcons(View);
    QWidget::closeEvent(event);
}

bool frmMain2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == View && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        RenameSelected();
        return true;
    }
    if (watched == View && event->type() == QEvent::Resize && m_arranged &&
        Settings().AutoArrangeIcons())
        QTimer::singleShot(0, this, &frmMain2::ArrangeIcons);
    if (watched != View->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressed = View->itemAt(mouse->position().toPoint());
        if (!m_pressed)
            View->clearSelection();
        if (mouse->button() != Qt::LeftButton)
            m_pressed = nullptr;
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ShowIconMenu(mouse->globalPosition().toPoint());
            break;
        }
        if (m_pressed && View->itemAt(mouse->position().toPoint()) == m_pressed)
            Settings().AutoArrangeIcons() ? ArrangeIcons() : SnapIconToGrid(m_pressed);
        m_pressed = nullptr;
        break;
    }
    case QEvent::Drop:
        // A drag ends in a drop, not a release: snap once the list has moved it.
        if (QListWidgetItem* moved = m_pressed) {
            m_pressed = nullptr;
            QTimer::singleShot(0, this, [this, moved] {
                Settings().AutoArrangeIcons() ? ArrangeIcons() : SnapIconToGrid(moved);
            });
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain2::ShowIconMenu(const QPoint& globalPosition) {
    m_autoArrange->setChecked(Settings().AutoArrangeIcons());
    m_rename->setEnabled(platform::ChosenItem(View) != nullptr);
    m_popup->popup(globalPosition);
}

void frmMain2::RenameSelected() {
    if (QListWidgetItem* item = platform::ChosenItem(View))
        View->editItem(item);
}

// An emptied caption is refused: the last accepted one comes back.
void frmMain2::OnItemChanged(QListWidgetItem* item) {
    const QSignalBlocker quiet(View);
    if (item->text().trimmed().isEmpty())
        item->setText(item->data(kCaptionRole).toString());
    else
        item->setData(kCaptionRole, item->text());
}

} // namespace launcher
