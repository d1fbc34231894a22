#include "shell/widgets/frmWait.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace mdlCommon;

TEST(frmWait, HintWidensTheWindowAndNeverNarrowsIt) {
    ShowWait("Loading");
    frmWait* wait = WaitWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->WaitHint(), "Loading");
    const int start = wait->width();

    SetWaitHint(QString(40, u'W') + " Scanning Zorv data files. Please wait...");
    const int widened = wait->width();
    EXPECT_GT(widened, start);
    EXPECT_GE(widened, wait->findChild<QLabel*>("lblStatus")->sizeHint().width());

    SetWaitHint("Done");
    EXPECT_EQ(wait->width(), widened);
    EXPECT_EQ(wait->WaitHint(), "Done");

    // A second ShowWait re-uses the shown window.
    ShowWait("Again");
    EXPECT_EQ(WaitWindow(), wait);
    EXPECT_EQ(wait->width(), widened);
    HideWait();
    EXPECT_EQ(WaitWindow(), nullptr);
    SetWaitHint("ignored when nothing is shown");
}

TEST(frmWait, OwnerIsBusyOnlyBetweenShowAndHide) {
    QWidget owner;
    QWidget other;
    auto* child = new QPushButton("child", &owner);
    owner.show();
    other.show();

    ShowWait("Working", nullptr);
    EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(IsBusy(&owner));
    HideWait(nullptr);

    ShowWait("Working", &owner);
    EXPECT_TRUE(IsBusy(&owner));
    EXPECT_TRUE(IsBusy(child));
    EXPECT_FALSE(IsBusy(&other));
    EXPECT_EQ(owner.cursor().shape(), Qt::WaitCursor);
    HideWait(&owner);
    EXPECT_FALSE(IsBusy(&owner));
    EXPECT_EQ(owner.cursor().shape(), Qt::ArrowCursor);
}

// Pending events run inside ShowWait: a click queued on the command's own
// button must not start the command a second time, and a close request
// must not take the window away while its operation runs.
TEST(frmWait, PendingEventsCannotRestartTheCommandOrCloseItsWindow) {
    QWidget window;
    auto* button = new QPushButton("Load", &window);
    window.show();
    int runs = 0;
    int nested = 0;
    QObject::connect(button, &QPushButton::clicked, [&] {
        ++runs;
        if (IsBusy(&window))
            ++nested;
        if (runs == 1) {
            // The person clicks again and closes the window before the work starts.
            QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
            QTimer::singleShot(0, &window, [&window] { window.windowHandle()->close(); });
        }
        WaitScope wait("Loading...", &window);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.isVisible());
    });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(WaitWindow(), nullptr);
    EXPECT_FALSE(IsBusy(&window));
    // Once the work is done the window closes normally.
    EXPECT_TRUE(window.close());
}

TEST(frmWait, HideWaitAfterTheOwnerIsGone) {
    auto* owner = new QWidget;
    owner->show();
    {
        WaitScope wait("Working", owner);
        delete owner;
    }
    EXPECT_EQ(WaitWindow(), nullptr);
    EXPECT_FALSE(IsBusy(nullptr));
}
