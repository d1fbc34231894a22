#include "common/widgets/Viewer.h"
#include "common/mdlCommonGlobals.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/ScriptedPrompts.h"
#include "support/Eventually.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// A viewer that writes its arguments, one a line, into a record file.
class Viewer : public testing::Test {
protected:
    void SetUp() override {
        m_record = testsupport::dataDir() / "viewer record.txt";
        const fs::path script = testsupport::dataDir() / "viewer folder" / "fake viewer.sh";
        m_script = script.string();
        testsupport::writeFile(
            script, "#!/bin/sh\n"
                    "out='" +
                        m_record.string() +
                        "'\n"
                        ": > \"$out.part\"\n"
                        "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.part\"; done\n"
                        "mv \"$out.part\" \"$out\"\n");
        fs::permissions(script, fs::perms::owner_all);
        mdlCommon::Settings().SetExt3DViewerPath(Q(script));
        m_temp = testsupport::dataDir() / "temp folder";
        fs::create_directories(m_temp);
        mdlCommon::Settings().TempRoot = Q(m_temp);
    }

    // The viewer's arguments, once it has run; nothing when it did not run.
    std::optional<QStringList> Arguments() {
        if (!testsupport::Eventually([this] { return fs::exists(m_record); }))
            return std::nullopt;
        QString text = QString::fromStdString(testsupport::readFile(m_record));
        fs::remove(m_record);
        text.chop(1);
        return text.isEmpty() ? QStringList() : text.split(u'\n');
    }

    // Starting a program returns only once it runs, so a viewer that was
    // started either runs still or has left its record.
    void ExpectNoViewerStarted() const {
        EXPECT_FALSE(fs::exists(m_record));
        for (const auto& process : fs::directory_iterator("/proc")) {
            const std::string command = testsupport::readFile(process.path() / "cmdline");
            EXPECT_EQ(command.find(m_script), std::string::npos) << "a viewer runs: " << command;
        }
    }

    // A catalog in the data folder with one model entry.
    QString Catalog(const std::string& inner, const std::string& bytes) {
        testsupport::writeFile(testsupport::dataDir() / "models.cat",
                               inner + " " + std::to_string(bytes.size()) + "\n");
        testsupport::writeFile(testsupport::dataDir() / "models.dat", bytes);
        return Q(testsupport::dataDir() / "models.cat");
    }

    QStringList TempFiles() const { return QDir(Q(m_temp)).entryList(QDir::Files); }

    platform::ScriptedPrompts m_prompts;
    platform::ScopedPrompts m_installed{m_prompts};
    std::string m_script;
    fs::path m_record;
    fs::path m_temp;
};

TEST_F(Viewer, PlainFileIsOneArgumentWithTheDefaultTemplate) {
    const fs::path model = testsupport::dataDir() / "my models" / "ship 'one'.bod";
    testsupport::writeFile(model, "model");
    mdlCommon::OpenInExternalViewer(nullptr, Q(model));
    EXPECT_EQ(Arguments(), QStringList{Q(model)});
    EXPECT_TRUE(m_prompts.messages().empty());
    EXPECT_TRUE(TempFiles().isEmpty());
}

TEST_F(Viewer, TemplateIsSplitBeforeTheFileIsPutIn) {
    const QString model = Q(testsupport::dataDir() / "a b.bod");
    const struct {
        const char* commandLine;
        QStringList arguments;
    } cases[] = {
        {"-open %1 -fast", {"-open", model, "-fast"}},
        {"\"--file=%1\" %1", {"--file=" + model, model}},
        {"--demo", {"--demo"}}, // no "%1": the template as it is
        {"", {}},
    };
    for (const auto& c : cases) {
        mdlCommon::Settings().SetExt3DViewerCmdLine(c.commandLine);
        mdlCommon::OpenInExternalViewer(nullptr, model);
        EXPECT_EQ(Arguments(), c.arguments) << c.commandLine;
    }
}

TEST_F(Viewer, CatalogEntryIsCopiedIntoTheTemporaryFolder) {
    const QString entry = Catalog("v\\00042.bod", "model bytes\n");
    mdlCommon::OpenInExternalViewer(nullptr, entry + "::v\\00042.bod");
    const QString copy = Q(m_temp / "00042.bod.txt");
    EXPECT_EQ(Arguments(), QStringList{copy});
    EXPECT_EQ(testsupport::readFile(m_temp / "00042.bod.txt"), "model bytes\n");
    EXPECT_TRUE(m_prompts.messages().empty());
}

TEST_F(Viewer, ShowModelFindsTheBodyInTheFileSystem) {
    Catalog("v\\00042.bod", "from the catalog");
    testsupport::writeFile(testsupport::dataDir() / "v" / "00007.bod", "loose");
    mdlZorvVFS::ZorvVFS_InitVFS(Q(testsupport::dataDir()));

    mdlCommon::ShowModel(nullptr, "v", 42);
    EXPECT_EQ(Arguments(), QStringList{Q(m_temp / "00042.bod.txt")});
    mdlCommon::ShowModel(nullptr, "v", 7);
    EXPECT_EQ(Arguments(), QStringList{Q(testsupport::dataDir() / "v" / "00007.bod")});
    EXPECT_TRUE(m_prompts.messages().empty());
}

TEST_F(Viewer, ShowModelWithoutMatchSaysSo) {
    mdlZorvVFS::ZorvVFS_InitVFS(Q(testsupport::dataDir()));
    mdlCommon::ShowModel(nullptr, "v", 42);
    mdlCommon::ShowModel(nullptr, "v", 123456);
    const auto messages = m_prompts.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Cannot find file \"v\\00042\" in VFS.");
    EXPECT_EQ(messages[0].icon, platform::PromptIcon::Critical);
    EXPECT_EQ(messages[1].text, "Cannot find file \"v\\123456\" in VFS.");
}

TEST_F(Viewer, FailuresAreToldAndStartNothing) {
    const QString catalog = Catalog("v\\00042.bod", "bytes");
    const QString missingProgram = Q(testsupport::dataDir() / "no such viewer");
    const struct {
        QString path;
        QString viewer; // empty: the fake viewer
        QString told;   // the message after "Error starting external 3D viewer: "
    } cases[] = {
        {catalog + "::v\\00099.bod", "", "cannot open " + catalog + "::v\\00099.bod"},
        {catalog + "::v\\..", "", catalog + "::v\\.. names no file."},
        {catalog + "::v/", "", catalog + "::v/ names no file."},
        {Q(testsupport::dataDir() / "x.bod"), missingProgram, "the program \"" + missingProgram},
    };
    for (const auto& c : cases) {
        if (!c.viewer.isEmpty())
            mdlCommon::Settings().SetExt3DViewerPath(c.viewer);
        mdlCommon::OpenInExternalViewer(nullptr, c.path);
        const auto messages = m_prompts.messages();
        ASSERT_FALSE(messages.empty()) << c.path.toStdString();
        EXPECT_TRUE(messages.back().text.startsWith("Error starting external 3D viewer: " + c.told))
            << messages.back().text.toStdString();
        EXPECT_EQ(messages.back().icon, platform::PromptIcon::Critical);
    }
    EXPECT_EQ(m_prompts.messages().size(), std::size(cases));
    ExpectNoViewerStarted();
    EXPECT_TRUE(TempFiles().isEmpty());
}

TEST_F(Viewer, ACopyThatCannotBeWrittenIsToldAndStartsNothing) {
    const QString catalog = Catalog("v\\00042.bod", "bytes");
    const fs::path gone = testsupport::dataDir() / "no temp folder";
    mdlCommon::Settings().TempRoot = Q(gone);
    mdlCommon::OpenInExternalViewer(nullptr, catalog + "::v\\00042.bod");
    const auto messages = m_prompts.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith("Error starting external 3D viewer: cannot write " +
                                            Q(gone / "00042.bod.txt")))
        << messages[0].text.toStdString();
    EXPECT_EQ(messages[0].icon, platform::PromptIcon::Critical);
    ExpectNoViewerStarted();
    EXPECT_FALSE(fs::exists(gone));
}

TEST_F(Viewer, NoViewerConfigured) {
    mdlCommon::Settings().SetExt3DViewerPath("");
    mdlCommon::OpenInExternalViewer(nullptr, Q(testsupport::dataDir() / "x.bod"));
    const auto messages = m_prompts.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "You didn't specified path to external 3D viewer.\n"
                                "Go to Settings and set it up.");
    EXPECT_EQ(messages[0].icon, platform::PromptIcon::Information);
}

} // namespace
