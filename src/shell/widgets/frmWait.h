// The wait window shown while a long operation runs, and the routines that
// drive the one shared instance. While it is shown for an owner, that owner's
// window takes no mouse or key input and refuses to close, so the pending
// events the routines let run can neither start the same command again nor
// close the window whose operation is running.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;

class frmWait : public QWidget {
    Q_OBJECT

public:
    explicit frmWait(QWidget* owner = nullptr);

    QString WaitHint() const;
    // Shows the hint; the window widens to fit it and never narrows.
    void SetWaitHint(const QString& hint);

private:
    QFrame* Fram;
    QLabel* lblStatus;
};

namespace mdlCommon {

// Shows the shared wait window with the hint, owned by the owner (or on top
// of everything when there is none); the owner gets the busy pointer. Then
// pending window events run once.
void ShowWait(const QString& hint, QWidget* owner = nullptr);
// Changes the hint of the shown wait window; nothing when none is shown.
void SetWaitHint(const QString& hint);
// Closes the wait window; the owner's pointer returns to normal. Then
// pending window events run once. The owner may already be gone. Calls pair
// up: each ShowWait with an owner needs a HideWait with that owner.
void HideWait(QWidget* owner = nullptr);

// The shown wait window, or nullptr.
frmWait* WaitWindow();
// True while a long operation of this window (or of the window it lies in)
// runs between ShowWait and HideWait.
bool IsBusy(const QWidget* window);

// ShowWait for the lifetime of this object, HideWait at its end, also when
// the operation throws.
class WaitScope {
public:
    explicit WaitScope(const QString& hint, QWidget* owner = nullptr);
    ~WaitScope();
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    QPointer<QWidget> m_owner;
};

} // namespace mdlCommon
