#include "launcher/LauncherCommandLine.h"

#include <gtest/gtest.h>

using launcher::EditorKind;
using launcher::ProcessCommandLine;

TEST(LauncherCommandLineTest, ChoosesTheEditorByTypeOrByTitle) {
    const struct {
        QStringList arguments;
        EditorKind editor;
        QString file;
        QStringList warnings;
    } cases[] = {
        {{}, EditorKind::None, {}, {}},
        {{"-TFILE", "a.txt"}, EditorKind::TFile, "a.txt", {}},
        {{"/tfile", "a.txt"}, EditorKind::TFile, "a.txt", {}},
        {{"/TFile", "a.txt"}, EditorKind::TFile, "a.txt", {}},
        {{"/Map", "x.xml"}, EditorKind::Map, "x.xml", {}},
        {{"-XML", "440001.xml"}, EditorKind::Xml, "440001.xml", {}},
        {{"/data/types/TShips.pck"}, EditorKind::TFile, "/data/types/TShips.pck", {}},
        {{"C:\\game\\01.cat::types\\TCockpits.txt"},
         EditorKind::TFile,
         "C:\\game\\01.cat::types\\TCockpits.txt",
         {}},
        {{"types/TLaser.txt"},
         EditorKind::None,
         "types/TLaser.txt",
         {"Don't know how to open file \"types/TLaser.txt\""}},
        {{"/x", "TWareF.txt"},
         EditorKind::TFile,
         "TWareF.txt",
         {"Invalid file type: -x\nMust be one of: -tfile, -xml, -map"}},
        {{"/x", "map.xml"},
         EditorKind::None,
         "map.xml",
         {"Invalid file type: -x\nMust be one of: -tfile, -xml, -map",
          "Don't know how to open file \"map.xml\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const launcher::CommandLinePlan plan = ProcessCommandLine(c.arguments);
        EXPECT_EQ(plan.editor, c.editor);
        EXPECT_EQ(plan.file, c.file);
        EXPECT_EQ(plan.warnings, c.warnings);
    }
}

TEST(LauncherCommandLineTest, ThreeArgumentsOnlyShowTheUsage) {
    const launcher::CommandLinePlan plan = ProcessCommandLine({"-tfile", "a.txt", "b.txt"});
    EXPECT_EQ(plan.editor, EditorKind::None);
    ASSERT_EQ(plan.warnings.size(), 1);
    EXPECT_EQ(plan.warnings[0], "Invalid command line parameters.\n\nUsage: [file type] <file "
                                "name>\nFile type:\n-TFile - TFiles\n-Map - galaxy map\n-xml - "
                                "xml text file");
}

TEST(LauncherCommandLineTest, GuessesOnlyTheKnownTables) {
    for (const char* known : {"TShips.txt", "tlasers.pck", "TGates", "TCockpits.txt", "TWareT.txt",
                              "myTWAREs.txt", "cat.cat::types\\TShips.txt"})
        EXPECT_EQ(launcher::GuessFileType(known), EditorKind::TFile) << known;
    // The laser table's title has no final "s"; maps and language files are
    // never guessed.
    for (const char* unknown : {"TLaser.txt", "TShields.txt", "x.cat::", "00749.xml", ""})
        EXPECT_EQ(launcher::GuessFileType(unknown), EditorKind::None) << unknown;
}
