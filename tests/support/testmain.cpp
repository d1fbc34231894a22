#include "support/TestFolders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef ZORV_TEST_GUI
#include <QApplication>
#endif

namespace {
class FreshFolders : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { testsupport::beginTest(); }
    void OnTestEnd(const testing::TestInfo&) override { testsupport::endTest(); }
};
} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef ZORV_TEST_GUI
    QApplication app(argc, argv);
#endif
    testing::InitGoogleMock(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFolders);
    return RUN_ALL_TESTS();
}
