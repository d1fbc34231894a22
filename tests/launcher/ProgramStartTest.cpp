// The program started on the demo data with each editor's command-line form:
// the editor opens its file, closes through its own window, and nothing is
// shown or written.
#include "common/mdlCommonGlobals.h"
#include "launcher/Main.h"
#include "launcher/ProgramActions.h"
#include "launcher/frmMain2.h"
#include "platform/ScriptedPrompts.h"
#include "support/TestFolders.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const QString kSamples = QDir::cleanPath(QStringLiteral(ZORV_FIXTURES_DIR "/../../samples"));

// Every file under the folder with a digest of its bytes.
QStringList snapshot(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files << QDir(folder).relativeFilePath(file.fileName()) + " " +
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
    }
    files.sort();
    return files;
}

QList<QWidget*> editorWindows(const QWidget* launcher) {
    QList<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != launcher && window->isVisible() && window->inherits("QMainWindow"))
            windows << window;
    return windows;
}

class ProgramStartTest : public testing::TestWithParam<std::pair<const char*, const char*>> {};

} // namespace

TEST_P(ProgramStartTest, OpensTheFileAndClosesCleanly) {
    const auto data = testsupport::dataDir() / "zorv";
    std::filesystem::copy(kSamples.toStdString(), data, std::filesystem::copy_options::recursive);
    const QString dataPath = QString::fromStdString(data.string());
    mdlCommon::Settings().SetZorvPath(dataPath);
    const QStringList before = snapshot(dataPath);

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    launcher::ProgramActions actions;
    const auto [type, file] = GetParam();
    const auto window = launcher::Main(actions, {type, dataPath + "/" + file});
    ASSERT_TRUE(window);
    const QList<QWidget*> editors = editorWindows(window.get());
    ASSERT_EQ(editors.size(), 1);
    // What the start left queued runs before the editor closes.
    QCoreApplication::processEvents();
    EXPECT_TRUE(editors[0]->close());
    window->close();
    for (const auto& question : prompts.asked())
        ADD_FAILURE() << question.title.toStdString() << ": " << question.text.toStdString();
    EXPECT_EQ(snapshot(dataPath), before);
}

INSTANTIATE_TEST_SUITE_P(EachEditor, ProgramStartTest,
                         testing::Values(std::pair{"-tfile", "types/TShips.txt"},
                                         std::pair{"/tfile", "types/TLaser.txt"},
                                         std::pair{"-Map", "maps/demo_universe.xml"},
                                         std::pair{"-XML", "t/440001.xml"}),
                         [](const auto& info) { return std::to_string(info.index); });
