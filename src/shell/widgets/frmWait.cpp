#include "shell/widgets/frmWait.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

// Room beside the hint: 200 twips.
constexpr int kHintMargin = 200 / 15;

QPointer<frmWait> g_wait;

// The windows whose long operation runs, one entry per ShowWait.
std::vector<QPointer<QWidget>> g_busyOwners;

QWidget* targetWidget(QObject* object) {
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget;
    if (auto* action = qobject_cast<QAction*>(object))
        return qobject_cast<QWidget*>(action->parent());
    if (auto* shortcut = qobject_cast<QShortcut*>(object))
        return qobject_cast<QWidget*>(shortcut->parent());
    return nullptr;
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Keeps input and close requests away from busy windows while pending events
// run, so a command cannot start twice nor its window go away under it.
class BusyGuard : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Close && !isUserInput(type))
            return false;
        const QWidget* widget = targetWidget(watched);
        if (!widget || !mdlCommon::IsBusy(widget))
            return false;
        event->ignore();
        return true;
    }
};

BusyGuard* busyGuard() {
    static BusyGuard* guard = [] {
        auto* created = new BusyGuard;
        created->setParent(qApp);
        return created;
    }();
    return guard;
}

void markBusy(QWidget* owner) {
    if (g_busyOwners.empty())
        qApp->installEventFilter(busyGuard());
    g_busyOwners.emplace_back(owner);
    owner->setCursor(Qt::WaitCursor);
}

// The owner may be gone by now: only the guarded pointers are touched.
void unmarkBusy(const QWidget* owner) {
    const auto same = [owner](const QPointer<QWidget>& entry) { return entry && entry == owner; };
    const auto found = std::find_if(g_busyOwners.begin(), g_busyOwners.end(), same);
    if (found != g_busyOwners.end()) {
        const QPointer<QWidget> window = *found;
        g_busyOwners.erase(found);
        if (std::none_of(g_busyOwners.begin(), g_busyOwners.end(), same))
            window->unsetCursor();
    }
    std::erase_if(g_busyOwners, [](const QPointer<QWidget>& entry) { return entry.isNull(); });
    if (g_busyOwners.empty())
        qApp->removeEventFilter(busyGuard());
}

} // namespace

frmWait::frmWait(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint),
      Fram(new QFrame(this)), lblStatus(new QLabel(Fram)) {
    setObjectName(QStringLiteral("frmWait"));
    Fram->setObjectName(QStringLiteral("Fram"));
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    Fram->setFrameShape(QFrame::Panel);
    Fram->setFrameShadow(QFrame::Raised);
    lblStatus->setAlignment(Qt::AlignCenter);
    auto* frameLayout = new QVBoxLayout(Fram);
    frameLayout->addWidget(lblStatus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Fram);
    resize(4200 / 15, 900 / 15);
}

QString frmWait::WaitHint() const {
    return lblStatus->text();
}

void frmWait::SetWaitHint(const QString& hint) {
    lblStatus->setText(hint);
    const int needed = lblStatus->sizeHint().width() + Fram->frameWidth() * 2 +
                       Fram->layout()->contentsMargins().left() +
                       Fram->layout()->contentsMargins().right();
    if (width() - kHintMargin < needed) {
        setMinimumWidth(needed + kHintMargin);
        resize(needed + kHintMargin, height());
    }
}

namespace mdlCommon {

void ShowWait(const QString& hint, QWidget* owner) {
    if (!g_wait)
        g_wait = new frmWait(owner);
    else if (owner && g_wait->parentWidget() != owner) {
        g_wait->setParent(owner, g_wait->windowFlags());
    }
    g_wait->SetWaitHint(hint);
    if (owner)
        markBusy(owner);
    // Over the owner's window, or in the middle of the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area =
        owner ? owner->window()->geometry() : (screen ? screen->availableGeometry() : QRect());
    g_wait->move(area.center() - g_wait->rect().center());
    g_wait->show();
    g_wait->raise();
    QCoreApplication::processEvents();
}

void SetWaitHint(const QString& hint) {
    if (g_wait)
        g_wait->SetWaitHint(hint);
}

void HideWait(QWidget* owner) {
    delete g_wait.data();
    unmarkBusy(owner);
    QCoreApplication::processEvents();
}

frmWait* WaitWindow() {
    return g_wait.data();
}

bool IsBusy(const QWidget* window) {
    if (!window)
        return false;
    const QWidget* top = window->window();
    for (const QPointer<QWidget>& owner : g_busyOwners)
        if (owner && (owner == window || owner->window() == top))
            return true;
    return false;
}

WaitScope::WaitScope(const QString& hint, QWidget* owner) : m_owner(owner) {
    ShowWait(hint, owner);
}

WaitScope::~WaitScope() {
    HideWait(m_owner.data());
}

} // namespace mdlCommon
