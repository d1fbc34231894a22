#include "support/TestFolders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <thread>

#ifdef ZORV_TEST_GUI
#include <QApplication>
#include <QThreadPool>
#include <QWidget>
#endif

namespace {

#ifdef ZORV_TEST_GUI
// What the event loop still holds for the test runs before the next one (and
// before the leak check): posted events, then the deletes they defer, twice,
// since a delete can post more.
void settle() {
    for (int round = 0; round < 2; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// A window a test leaves open keeps its timers, paint buffers and threads
// running into the next test; the test that left it fails.
void expectNoWindowLeftOpen() {
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible())
            << "window left open: " << window->metaObject()->className() << " \""
            << window->windowTitle().toStdString() << "\"";
}

// The global pool's workers, stopped here with a bound: the application's
// own clean-up would wait for a job that never ends without one.
bool stopWorkerThreads() {
    QThreadPool::globalInstance()->clear();
    if (QThreadPool::globalInstance()->waitForDone(60'000))
        return true;
    std::fprintf(stderr, "a worker thread is still busy at exit\n");
    return false;
}
#endif

class FreshFolders : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { testsupport::beginTest(); }
    void OnTestEnd(const testing::TestInfo&) override {
#ifdef ZORV_TEST_GUI
        settle();
        expectNoWindowLeftOpen();
#endif
        testsupport::endTest();
    }
};

// Every thread but this one has ended, within a minute: a thread still
// ending when the leak check runs takes what only it points to out of sight.
bool otherThreadsEnded() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    const auto count = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                             std::filesystem::directory_iterator());
    };
    while (count() > 1) {
        if (std::chrono::steady_clock::now() > end) {
            std::fprintf(stderr, "a thread still runs at exit\n");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

int runTests(int& argc, char** argv) {
#ifdef ZORV_TEST_GUI
    QApplication app(argc, argv);
#endif
    testing::InitGoogleMock(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFolders);
    const int result = RUN_ALL_TESTS();
#ifdef ZORV_TEST_GUI
    if (!stopWorkerThreads())
        return 1;
#endif
    return result;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int result = runTests(argc, argv);
    return otherThreadsEnded() ? result : 1;
}
