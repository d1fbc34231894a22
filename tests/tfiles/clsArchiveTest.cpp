#include "tfiles/TFileTestSupport.h"

#include "gamefiles/mdlZorvObjects.h"
#include "gamefiles/mdlZorvVFS.h"
#include "tfiles/clsArchive.h"

#include <gtest/gtest.h>

namespace {

// A data folder with types\TLaser.txt as the virtual file system.
class ArchiveTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::writeFile(testsupport::dataDir() / "types" / "TLaser.txt",
                               tfiletest::TFile({"1;SS_LASER_A;", "2;SS_LASER_B;"}));
        mdlZorvVFS::ZorvVFS_InitVFS(QString::fromStdString(testsupport::dataDir().string()));
    }

    // The virtual file system, counting the paths it is asked for.
    clsArchive::FileLoader CountingLoader() {
        return [this](const QString& path) {
            requested << path;
            return mdlZorvVFS::ZorvVFS_LoadFile(path);
        };
    }

    QStringList requested;
};

TEST_F(ArchiveTest, EveryNameOfAFileGivesTheOneParserLoadedOnce) {
    clsArchive archive(CountingLoader());
    const auto parser = archive.GetFile("TLaser");
    ASSERT_NE(parser, nullptr);
    EXPECT_TRUE(parser->Parsed());
    EXPECT_EQ(parser->FileName, "TLaser");
    EXPECT_EQ(tfiletest::Names(parser->objects), (QStringList{"SS_LASER_A", "SS_LASER_B"}));
    for (const char* name : {"TLaser", "tlaser", "TLaser.txt", "TLASER.TXT"})
        EXPECT_EQ(archive.GetFile(name), parser) << name;
    EXPECT_EQ(requested, (QStringList{"types\\TLaser.txt"}));
    EXPECT_FALSE(archive.LoadError());
}

TEST_F(ArchiveTest, FailedLoadsAreTriedAgainAndListedOneLineEach) {
    clsArchive archive(CountingLoader());
    EXPECT_EQ(archive.GetFile("TMissing"), nullptr);
    EXPECT_EQ(archive.GetFile("TMissing.txt"), nullptr);
    EXPECT_EQ(requested.size(), 2);
    EXPECT_TRUE(archive.LoadError());
    const QStringList lines = archive.NotLoadedFiles().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << archive.NotLoadedFiles().toStdString();
    for (const QString& line : lines) {
        EXPECT_TRUE(line.startsWith("types\\TMissing.txt: ")) << line.toStdString();
        EXPECT_GT(line.size(), QStringLiteral("types\\TMissing.txt: ").size());
    }
    archive.ClearErrors();
    EXPECT_FALSE(archive.LoadError());
    EXPECT_TRUE(archive.NotLoadedFiles().isEmpty());
}

TEST_F(ArchiveTest, HandleThatIsNotATFileIsReleasedAndNotCached) {
    // The stand-in store holds only T-files, so a line handle plays the
    // handle of another kind; releasing it removes the line.
    clsTxtParser owner;
    ASSERT_TRUE(tfiletest::LoadBytes(owner, tfiletest::TFile({"1;a;", "2;b;"})));
    int32_t count = 0;
    clsArchive archive([&](const QString&) {
        ++count;
        return owner.FindIndex(0)->handle();
    });

    const auto parser = archive.GetFile("TOdd");
    ASSERT_NE(parser, nullptr);
    EXPECT_FALSE(parser->Parsed());
    EXPECT_EQ(parser->GetLastError(), "Not a valid T file.");
    EXPECT_EQ(parser->FileName, "TOdd");
    EXPECT_EQ(owner.FindIndex(1)->Index(), 0);

    EXPECT_NE(archive.GetFile("TOdd"), parser);
    EXPECT_EQ(count, 2);
}

TEST_F(ArchiveTest, CreateArchiveStartsAFreshGlobalCache) {
    CreateArchive();
    const auto first = Archive().GetFile("TLaser");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Archive().GetFile("tlaser"), first);
    CreateArchive();
    const auto second = Archive().GetFile("TLaser");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
}

} // namespace
