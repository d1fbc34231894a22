#include "tfiles/TFileTestSupport.h"

#include "gamefiles/mdlZorvObjects.h"

#include <gtest/gtest.h>

#include <QSet>

#include <limits>

using tfiletest::LoadBytes;
using tfiletest::Names;
using tfiletest::TFile;

namespace {

// A store handle of a parsed file, outside any parser.
int32_t ParseIntoStore(const std::string& bytes, const std::string& name) {
    testsupport::writeFile(testsupport::dataDir() / name, bytes);
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(tfiletest::DataPath(name), 0, 0, 0);
    const int32_t store = mdlZorvObjects::Zorv_LoadFromFile(file, 1);
    mdlZorvFD::ZorvFD_CloseFile(file);
    return store;
}

bool IsTFileStore(int32_t store) {
    return mdlZorvObjects::Zorv_GetObjectType(store) == ZORV_OBJECT_TFILE;
}

TEST(clsTxtParser, NameOrderIgnoresCaseAndKeepsLoadOrderOfEqualNames) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;b;", "2;A;", "3;C;", "4;a;", "5;B;"})))
        << parser.GetLastError().toStdString();
    EXPECT_EQ(Names(parser.objects), (QStringList{"A", "a", "b", "B", "C"}));
    EXPECT_EQ(Names(parser.UnsortedObjects), (QStringList{"b", "A", "C", "a", "B"}));
    EXPECT_TRUE(parser.Parsed());
    EXPECT_FALSE(parser.CheckDirty());
}

// Names beyond ASCII, numbers and bytes that are not UTF-8 sort as a
// case-insensitive comparison of the names as shown.
TEST(clsTxtParser, NameOrderIsACaseInsensitiveComparisonOfTheShownNames) {
    const std::vector<std::string> lines = {"1;\xc3\xa9t\xc3\xa9;",
                                            "2;\xc3\x89T\xc3\x89;",
                                            "3;z;",
                                            "4;\xc3\x84pfel;",
                                            "5;apfel;",
                                            "6;7;",
                                            "7;1.5;",
                                            "8;\xe9l\xe8ve;",
                                            "9;_x;",
                                            "10;[y;",
                                            "11;Z;",
                                            "12;\xf0\x9f\x98\x80;"};
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile(lines)));
    QStringList expected = Names(parser.UnsortedObjects);
    std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(Names(parser.objects), expected);
}

TEST(clsTxtParser, ManyEqualNamesKeepTheirLoadOrder) {
    const char* spellings[] = {"same", "SAME", "Same"};
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i)
        lines.push_back(std::to_string(i) + ";" + (i % 7 == 3 ? "other" : spellings[i % 3]) + ";");
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile(lines)));
    int previous = -1;
    for (int position = 1; position <= parser.objects.count(); ++position) {
        const auto object = parser.objects.at(position);
        if (object->ObjectName() == "other")
            continue;
        EXPECT_GT(object->Value(0).toInt(), previous) << position;
        previous = object->Value(0).toInt();
    }
    EXPECT_EQ(parser.objects.at(parser.objects.count())->ObjectName(), "SAME");
}

TEST(clsTxtParser, KeysAreHandlesAndUniqueAcrossOpenParsers) {
    const std::string bytes = TFile({"1;x;", "2;y;", "3;z;"});
    clsTxtParser first;
    clsTxtParser second;
    ASSERT_TRUE(LoadBytes(first, bytes));
    ASSERT_TRUE(LoadBytes(second, bytes));
    QSet<QString> keys;
    for (const clsTxtParser* parser : {&first, &second})
        for (const auto& object : parser->objects) {
            EXPECT_NE(object->ID(), 0);
            EXPECT_EQ(object->Key(), QString::number(object->ID()) + "k");
            EXPECT_EQ(parser->FindKey(object->Key()), object);
            EXPECT_EQ(parser->Find(object->ID()), object);
            keys.insert(object->Key());
        }
    EXPECT_EQ(keys.size(), 6);
    EXPECT_EQ(second.FindKey(first.FindIndex(0)->Key()), nullptr);
}

TEST(clsTxtParser, CreatedObjectsStandBeforeTheGivenOneInFileOrderAndLastByName) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;", "2;y;"})));
    const auto y = parser.FindIndex(1);
    const auto inserted = parser.CreateObject(y.get());
    ASSERT_NE(inserted, nullptr) << parser.GetLastError().toStdString();
    inserted->Construct(2);
    inserted->SetObjectName("a");
    const auto appended = parser.CreateObject(nullptr);
    ASSERT_NE(appended, nullptr);
    appended->Construct(2);
    appended->SetObjectName("b");

    EXPECT_EQ(Names(parser.UnsortedObjects), (QStringList{"x", "a", "y", "b"}));
    EXPECT_EQ(Names(parser.objects), (QStringList{"x", "y", "a", "b"}));
    EXPECT_EQ(inserted->Index(), 1);
    EXPECT_EQ(y->Index(), 2);
    EXPECT_EQ(appended->Index(), 3);
    EXPECT_TRUE(parser.CheckDirty());
}

TEST(clsTxtParser, CreateObjectWithoutALineGivesNothing) {
    clsTxtParser parser; // no file: the store has nowhere to put a line
    EXPECT_EQ(parser.CreateObject(nullptr), nullptr);
    EXPECT_FALSE(parser.GetLastError().isEmpty());
    EXPECT_TRUE(parser.objects.isEmpty());
    EXPECT_TRUE(parser.UnsortedObjects.isEmpty());
    EXPECT_EQ(parser.FindKey("0k"), nullptr);
    EXPECT_FALSE(parser.CheckDirty());
}

TEST(clsTxtParser, RemoveObjectDeletesTheLineAndBothEntries) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;", "2;y;", "3;z;"})));
    const auto y = parser.FindIndex(1);
    const auto z = parser.FindIndex(2);
    ASSERT_TRUE(parser.RemoveObject(*y)) << parser.GetLastError().toStdString();
    EXPECT_EQ(Names(parser.objects), (QStringList{"x", "z"}));
    EXPECT_EQ(Names(parser.UnsortedObjects), (QStringList{"x", "z"}));
    EXPECT_EQ(z->Index(), 1);
    EXPECT_TRUE(parser.CheckDirty());
}

TEST(clsTxtParser, RemoveObjectTheStoreRefusesKeepsModelAndFileInStep) {
    clsTxtParser parser;
    clsTxtParser other;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;", "2;y;"})));
    ASSERT_TRUE(LoadBytes(other, TFile({"1;foreign;"}), "TOther.txt"));

    // A line of another file is not this file's to delete.
    const auto foreign = other.FindIndex(0);
    EXPECT_FALSE(parser.RemoveObject(*foreign));
    EXPECT_FALSE(parser.GetLastError().isEmpty());
    EXPECT_EQ(foreign->Index(), 0);
    EXPECT_EQ(other.objects.count(), 1);

    // A line already gone from the store: the store refuses, nothing changes.
    const auto x = parser.FindIndex(0);
    ASSERT_NE(mdlZorvObjects::Zorv_DeleteHandle(x->handle()), 0);
    EXPECT_FALSE(parser.RemoveObject(*x));
    EXPECT_FALSE(parser.GetLastError().isEmpty());
    EXPECT_EQ(parser.UnsortedObjects.count(), 2);
    EXPECT_EQ(parser.objects.count(), 2);
    EXPECT_FALSE(parser.CheckDirty());
}

TEST(clsTxtParser, FindIndexCountsFilePositionsFromZero) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;c;", "2;a;", "3;b;"})));
    const struct {
        int32_t index;
        const char* name; // nullptr: nothing
    } cases[] = {{-1, nullptr},
                 {0, "c"},
                 {2, "b"},
                 {3, nullptr},
                 {std::numeric_limits<int32_t>::max(), nullptr},
                 {std::numeric_limits<int32_t>::min(), nullptr}};
    for (const auto& c : cases) {
        const auto object = parser.FindIndex(c.index);
        if (c.name)
            EXPECT_EQ(object ? object->ObjectName() : QString(), c.name) << c.index;
        else
            EXPECT_EQ(object, nullptr) << c.index;
    }
}

TEST(clsTxtParser, FileWithoutLinesLoadsEmpty) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, "// nothing here\n1;0;\n"))
        << parser.GetLastError().toStdString();
    EXPECT_TRUE(parser.Parsed());
    EXPECT_TRUE(parser.objects.isEmpty());
    EXPECT_TRUE(parser.UnsortedObjects.isEmpty());
    EXPECT_EQ(parser.LineCount(), 0);
    EXPECT_FALSE(parser.CheckDirty());
}

TEST(clsTxtParser, BadInputFailsWithTheStoreTextAndLeavesNothingLoaded) {
    const std::string cases[] = {"", "0;1;\n1;x;\n", "no header at all\n",
                                 std::string("\x1f\x8b\x08\0garbage", 11)};
    for (const std::string& bytes : cases) {
        clsTxtParser parser;
        ASSERT_TRUE(LoadBytes(parser, TFile({"1;old;"})));
        EXPECT_FALSE(LoadBytes(parser, bytes)) << bytes;
        EXPECT_FALSE(parser.GetLastError().isEmpty()) << bytes;
        EXPECT_FALSE(parser.Parsed()) << bytes;
        EXPECT_TRUE(parser.objects.isEmpty()) << bytes;
        EXPECT_TRUE(parser.UnsortedObjects.isEmpty()) << bytes;
    }
}

TEST(clsTxtParser, ObjectNameIsTheLastValueAsText) {
    const struct {
        std::string line;
        QString name;
    } cases[] = {{"1;7;", "7"},
                 {"1;2.5;", "2.5"},
                 {"1;SS_LASER;", "SS_LASER"},
                 {"1;caf\xc3\xa9;", QString::fromUtf8("caf\xc3\xa9")},
                 {"1;caf\xe9;", QString::fromLatin1("caf\xe9")}};
    for (const auto& c : cases) {
        clsTxtParser parser;
        ASSERT_TRUE(LoadBytes(parser, TFile({c.line}))) << c.line;
        EXPECT_EQ(parser.FindIndex(0)->ObjectName(), c.name) << c.line;
    }
}

TEST(clsTxtParser, SetObjectNameStoresText) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;7;"})));
    const auto object = parser.FindIndex(0);
    object->SetObjectName("42");
    EXPECT_EQ(object->Value(1), QVariant(QByteArray("42")));
    object->SetObjectName(QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(object->Value(1), QVariant(QByteArray("caf\xc3\xa9")));
    EXPECT_EQ(object->Value(0), QVariant(1));
    EXPECT_TRUE(object->Dirty());
}

TEST(clsTxtParser, LineCountIsReadFromEachLoadedHeader) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;", "2;y;"}, 5)));
    EXPECT_EQ(parser.LineCount(), 5);
    EXPECT_EQ(parser.objects.count(), 2);
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;"}), "TOther.txt"));
    EXPECT_EQ(parser.LineCount(), 1);
}

TEST(clsTxtParser, LoadReleasesTheOldStoreButItsLinesStayReadable) {
    const int32_t store = ParseIntoStore(TFile({"1;copied;"}), "TFirst.txt");
    ASSERT_TRUE(IsTFileStore(store));
    clsTxtParser parser;
    ASSERT_TRUE(parser.LoadFromHandle(store));
    const auto copied = parser.FindIndex(0);

    ASSERT_TRUE(LoadBytes(parser, TFile({"2;other;"}), "TSecond.txt"));
    EXPECT_FALSE(IsTFileStore(store));
    EXPECT_EQ(copied->ObjectName(), "copied");

    // Pasting the line of the closed file into the open one.
    const auto pasted = parser.CreateObject(nullptr);
    ASSERT_NE(pasted, nullptr);
    copied->CopyTo(*pasted);
    EXPECT_EQ(pasted->ObjectName(), "copied");
    EXPECT_EQ(pasted->Value(0), QVariant(1));
}

TEST(clsTxtParser, EndingParserReleasesItsStore) {
    const int32_t store = ParseIntoStore(TFile({"1;x;"}), "TFirst.txt");
    {
        clsTxtParser parser;
        ASSERT_TRUE(parser.LoadFromHandle(store));
    }
    EXPECT_FALSE(IsTFileStore(store));
}

TEST(clsTxtParser, HandleOfAnotherKindIsRefused) {
    testsupport::writeFile(testsupport::dataDir() / "TTest.txt", TFile({"1;x;"}));
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(tfiletest::DataPath("TTest.txt"), 0, 0, 0);
    clsTxtParser parser;
    EXPECT_FALSE(parser.LoadFromHandle(file));
    EXPECT_EQ(parser.GetLastError(), "Not a valid T file.");
    EXPECT_FALSE(parser.Parsed());
    EXPECT_TRUE(parser.UnsortedObjects.isEmpty());
    mdlZorvFD::ZorvFD_CloseFile(file);
}

TEST(clsTxtParser, SaveWritesTheLinesAndClearsTheChangeMarks) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;", "2;y;"}, 7)));
    const auto created = parser.CreateObject(nullptr);
    ASSERT_NE(created, nullptr);
    created->Construct(2);
    created->SetValue(0, 9);
    created->SetObjectName("NEW");
    parser.FindIndex(0)->SetValue(0, 4);

    EXPECT_FALSE(parser.Save(0));
    EXPECT_FALSE(parser.GetLastError().isEmpty());
    EXPECT_TRUE(parser.CheckDirty());

    const QString saved = tfiletest::DataPath("TSaved.txt");
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(saved, 1, 1, 1);
    ASSERT_NE(file, 0) << mdlZorvFD::GetLastErrorText().toStdString();
    ASSERT_TRUE(parser.Save(file)) << parser.GetLastError().toStdString();
    mdlZorvFD::ZorvFD_CloseFile(file);
    EXPECT_FALSE(parser.CheckDirty());

    clsTxtParser reloaded;
    ASSERT_TRUE(tfiletest::LoadPath(reloaded, saved));
    EXPECT_EQ(Names(reloaded.UnsortedObjects), (QStringList{"x", "y", "NEW"}));
    EXPECT_EQ(reloaded.FindIndex(0)->Value(0), QVariant(4));
    EXPECT_EQ(reloaded.FindIndex(2)->Value(0), QVariant(9));
    EXPECT_EQ(reloaded.LineCount(), 3);
}

// What a save into that target changes on disk: the file, or a catalog's two files.
std::string DiskBytes(const std::string& target) {
    const auto split = target.find("::");
    if (split == std::string::npos)
        return testsupport::readFile(target);
    const std::string cat = target.substr(0, split);
    return testsupport::readFile(cat) + "|" +
           testsupport::readFile(cat.substr(0, cat.size() - 3) + "dat");
}

bool SaveTo(clsTxtParser& parser, const QString& target) {
    const int32_t file = mdlZorvFD::ZorvFD_OpenFile(target, 1, 1, 0);
    const bool saved = file != 0 && parser.Save(file);
    mdlZorvFD::ZorvFD_CloseFile(file);
    return saved;
}

TEST(clsTxtParser, FailedSaveLeavesTheOldBytesAndGivesTheFileDriversText) {
    const std::string old = TFile({"1;x;", "2;y;"});
    const std::string dir = testsupport::dataDir().string();
    testsupport::writeFile(dir + "/mod.cat",
                           "types\\TSaved.txt " + std::to_string(old.size()) + "\n");
    testsupport::writeFile(dir + "/mod.dat", old);
    testsupport::writeFile(dir + "/TSaved.txt", old);
    for (const std::string& target : {dir + "/TSaved.txt", dir + "/mod.cat::types\\TSaved.txt"}) {
        SCOPED_TRACE(target);
        const std::string before = DiskBytes(target);
        clsTxtParser parser;
        ASSERT_TRUE(tfiletest::LoadPath(parser, QString::fromStdString(target)));
        parser.FindIndex(1)->SetObjectName("y;z");

        EXPECT_FALSE(SaveTo(parser, QString::fromStdString(target)));
        EXPECT_TRUE(parser.GetLastError().contains(QString::fromStdString(target)))
            << parser.GetLastError().toStdString();
        EXPECT_TRUE(parser.GetLastError().contains("line 3"))
            << parser.GetLastError().toStdString();
        EXPECT_EQ(DiskBytes(target), before);
        EXPECT_TRUE(parser.CheckDirty());

        parser.FindIndex(1)->SetObjectName("z");
        ASSERT_TRUE(SaveTo(parser, QString::fromStdString(target)))
            << parser.GetLastError().toStdString();
        clsTxtParser reloaded;
        ASSERT_TRUE(tfiletest::LoadPath(reloaded, QString::fromStdString(target)));
        EXPECT_EQ(Names(reloaded.UnsortedObjects), (QStringList{"x", "z"}));
    }
}

} // namespace

// Every change the store refuses says so; nothing is changed.
TEST(clsTxtParser, RefusedChangesReportTheirFailure) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;"})));
    const auto object = parser.FindIndex(0);
    EXPECT_FALSE(object->SetValue(2, 5));
    EXPECT_TRUE(mdlZorvObjects::GetLastErrorText().contains("value index 2"));
    EXPECT_FALSE(object->InsertSpaceToArray(3, 1));
    EXPECT_FALSE(object->RemoveSpaceFromArray(1, 2));
    EXPECT_FALSE(object->Construct(-1));
    EXPECT_TRUE(object->SetValue(0, 5));
    EXPECT_EQ(object->Value(0), QVariant(5));
    EXPECT_EQ(object->size(), 2);

    // A line of a released file can be read and copied, not changed.
    ASSERT_TRUE(LoadBytes(parser, TFile({"2;y;"}), "TOther.txt"));
    EXPECT_FALSE(object->SetObjectName("z"));
    EXPECT_EQ(object->ObjectName(), "x");
    EXPECT_FALSE(parser.FindIndex(0)->CopyTo(*object));
    EXPECT_TRUE(object->CopyTo(*parser.FindIndex(0)));
}

// A line whose first value starts with "//" would read back as a comment:
// the save refuses it and names the line, whichever way the value got there.
TEST(clsTxtParser, SaveRefusesALineThatWouldReadBackAsAComment) {
    for (const char* first : {"//x", "  //x", "\t//"}) {
        SCOPED_TRACE(first);
        clsTxtParser parser;
        ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;", "2;y;"})));
        ASSERT_TRUE(parser.FindIndex(1)->SetValue(0, QByteArray(first)));
        const QString target = tfiletest::DataPath("TSaved.txt");
        testsupport::writeFile(testsupport::dataDir() / "TSaved.txt", "old");
        EXPECT_FALSE(SaveTo(parser, target));
        EXPECT_TRUE(parser.GetLastError().contains("line 3"))
            << parser.GetLastError().toStdString();
        EXPECT_TRUE(parser.GetLastError().contains("\"//\""))
            << parser.GetLastError().toStdString();
        EXPECT_EQ(testsupport::readFile(testsupport::dataDir() / "TSaved.txt"), "old");

        // Copied into another line, it is refused there too.
        ASSERT_TRUE(parser.FindIndex(1)->CopyTo(*parser.FindIndex(0)));
        ASSERT_TRUE(parser.FindIndex(1)->SetValue(0, 3));
        EXPECT_FALSE(SaveTo(parser, target));
        EXPECT_TRUE(parser.GetLastError().contains("line 2"))
            << parser.GetLastError().toStdString();
    }
}

// An XML document opened as a T-file is told apart by the store and refused
// by the parser with its own text.
TEST(clsTxtParser, AnXmlFileIsNotAValidTFile) {
    clsTxtParser parser;
    ASSERT_TRUE(LoadBytes(parser, TFile({"1;x;"})));
    EXPECT_FALSE(
        LoadBytes(parser, "<?xml version=\"1.0\"?>\n<language id=\"44\"/>\n", "0044-L044.xml"));
    EXPECT_EQ(parser.GetLastError(), "Not a valid T file.");
    EXPECT_FALSE(parser.Parsed());
    EXPECT_TRUE(parser.objects.isEmpty());

    const int32_t document = ParseIntoStore("<universe/>", "x.xml");
    EXPECT_EQ(mdlZorvObjects::Zorv_GetObjectType(document), ZORV_OBJECT_XML);
    EXPECT_FALSE(parser.LoadFromHandle(document));
    EXPECT_EQ(parser.GetLastError(), "Not a valid T file.");
    EXPECT_NE(mdlZorvObjects::Zorv_DeleteHandle(document), 0);
    EXPECT_EQ(mdlZorvObjects::Zorv_GetObjectType(document), 0);
}
