// The program itself, ended by a signal: it leaves through its normal way
// out, so its temporary folder goes with it.
#include "common/mdlCommonGlobals.h"
#include "support/Eventually.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <ostream>

namespace {

namespace fs = std::filesystem;

const QString kSamples = QDir::cleanPath(QStringLiteral(ZORV_FIXTURES_DIR "/../../samples"));

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// The program's own temporary folders in the folder given as its TMPDIR.
QStringList TempFolders(const fs::path& folder) {
    return QDir(Q(folder)).entryList({"Zorv Editor-*"}, QDir::Dirs | QDir::Hidden);
}

struct Case {
    int signal;
    bool gameData; // without, start-up stops at a message nobody answers
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << sigabbrev_np(c.signal) << (c.gameData ? "" : " at a start-up message");
}

class SignalExitTest : public testing::TestWithParam<Case> {};

TEST_P(SignalExitTest, RemovesTheTemporaryFolder) {
    const Case c = GetParam();
    if (c.gameData) {
        const fs::path data = testsupport::dataDir() / "zorv";
        fs::copy(kSamples.toStdString(), data, fs::copy_options::recursive);
        mdlCommon::Settings().SetZorvPath(Q(data));
    }
    const fs::path temp = testsupport::testRoot() / "tmp";
    fs::create_directories(temp);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("TMPDIR", Q(temp));
    environment.insert("ZORV_REGISTRY_DIR", Q(testsupport::registryDir()));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(ZORV_PROGRAM_FILE), {});
    ASSERT_TRUE(program.waitForStarted(60'000)) << program.errorString().toStdString();

    // The folder is made after the handlers are in place.
    EXPECT_TRUE(testsupport::Eventually([&] { return !TempFolders(temp).isEmpty(); }));
    ::kill(pid_t(program.processId()), c.signal);
    ASSERT_TRUE(program.waitForFinished(60'000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 128 + c.signal);
    EXPECT_EQ(TempFolders(temp), QStringList());
}

INSTANTIATE_TEST_SUITE_P(EachSignal, SignalExitTest,
                         testing::Values(Case{SIGTERM, true}, Case{SIGINT, true},
                                         Case{SIGHUP, true}, Case{SIGTERM, false}),
                         [](const auto& info) {
                             return std::string(sigabbrev_np(info.param.signal)) +
                                    (info.param.gameData ? "" : "AtAStartMessage");
                         });

} // namespace
