#include "tfiles/TFileTestSupport.h"

#include "tfiles/TFileDocument.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using tfiletest::DataPath;

QString Write(const std::string& name, const std::string& bytes) {
    testsupport::writeFile(testsupport::dataDir() / name, bytes);
    return DataPath(name);
}

std::string Read(const std::string& name) {
    return testsupport::readFile(testsupport::dataDir() / name);
}

TEST(TFileDocument, AFailedOpenLeavesTheOpenFileAndItsEditsAlone) {
    const QString first = Write("TLaser.txt", tfiletest::TFile({"1;2;A;", "3;4;B;"}));
    Write("readme.txt", "<?xml version=\"1.0\"?><a/>\n");
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(first, error), TFileDocument::OpenResult::Loaded)
        << error.toStdString();
    const auto record = document.Parser().FindIndex(0);
    ASSERT_TRUE(document.SetValue(record, 0, 9, error));

    EXPECT_EQ(document.Open(DataPath("missing.txt"), error), TFileDocument::OpenResult::NotOpened);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(document.Open(DataPath("readme.txt"), error), TFileDocument::OpenResult::NotLoaded);
    EXPECT_FALSE(error.isEmpty());

    EXPECT_EQ(document.FileName(), first);
    EXPECT_TRUE(document.IsDirty());
    EXPECT_EQ(document.Parser().objects.count(), 2);
    ASSERT_EQ(document.Save(first, 1, error), TFileDocument::SaveResult::Saved)
        << error.toStdString();
    EXPECT_EQ(Read("TLaser.txt"), tfiletest::TFile({"9;2;A;", "3;4;B;"}));
}

TEST(TFileDocument, UneditedSaveIsByteIdenticalAndPackedSaveUnpacksToThePlainText) {
    const std::string text = "// lasers\r\n1;2;\r\n5;1.25;some text;L1;\r\n7;0;;L2;\r\n";
    const QString path = Write("TLaser.txt", text);
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded);
    int saved = 0;
    QObject::connect(&document, &TFileDocument::Saved, [&saved] { ++saved; });
    ASSERT_EQ(document.Save(DataPath("copy.txt"), 1, error), TFileDocument::SaveResult::Saved);
    EXPECT_EQ(Read("copy.txt"), text);
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(document.FileName(), DataPath("copy.txt"));

    ASSERT_EQ(document.Save(DataPath("TLaser.pck"), 2, error), TFileDocument::SaveResult::Saved);
    EXPECT_NE(Read("TLaser.pck"), text);
    TFileDocument packed;
    ASSERT_EQ(packed.Open(DataPath("TLaser.pck"), error), TFileDocument::OpenResult::Loaded);
    ASSERT_EQ(packed.Save(DataPath("unpacked.txt"), 1, error), TFileDocument::SaveResult::Saved);
    EXPECT_EQ(Read("unpacked.txt"), text);
}

TEST(TFileDocument, ValuesKeepTheirKindAndTextsThatBreakALineAreRefused) {
    const QString path = Write("TLaser.txt", tfiletest::TFile({"1;model;A;"}));
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded);
    const auto record = document.Parser().FindIndex(0);
    int changed = 0;
    QObject::connect(&document, &TFileDocument::ObjectChanged, [&changed] { ++changed; });

    ASSERT_TRUE(document.SetValue(record, 1, QStringLiteral("007"), error));
    EXPECT_EQ(record->Value(1), QVariant(QByteArray("007")));
    ASSERT_TRUE(document.SetValue(record, 0, 100.0, error));
    EXPECT_FALSE(document.SetValue(record, 1, QStringLiteral("a;b"), error));
    EXPECT_FALSE(document.SetValue(record, 1, QStringLiteral("a\nb"), error));
    EXPECT_FALSE(document.SetValue(record, 5, 1, error));
    EXPECT_EQ(changed, 2);
    ASSERT_EQ(document.Save(path, 1, error), TFileDocument::SaveResult::Saved);
    EXPECT_EQ(Read("TLaser.txt"), tfiletest::TFile({"100;007;A;"}));
}

TEST(TFileDocument, RenamesThatWouldCorruptTheFileAreRefused) {
    const QString path = Write("TLaser.txt", tfiletest::TFile({"1;A;"}));
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded);
    const auto record = document.Parser().FindIndex(0);
    for (const QString& bad : {QString(), QStringLiteral("X;Y"), QStringLiteral("X\r\nY")}) {
        error.clear();
        EXPECT_FALSE(document.SetObjectName(record, bad, error)) << bad.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(record->ObjectName(), "A");
    EXPECT_TRUE(document.SetObjectName(record, QStringLiteral("B"), error));
    EXPECT_EQ(record->ObjectName(), "B");
}

TEST(TFileDocument, NewObjectNamesCountOnAndNeverOverflow) {
    struct Case {
        std::vector<std::string> lines;
        const char* next;
    };
    const Case cases[] = {
        {{"1;A;"}, "NEW_OBJECT_1"},
        {{"1;NEW_OBJECT_7;", "1;NEW_OBJECT_2;"}, "NEW_OBJECT_8"},
        {{"1;NEW_OBJECT_2147483647;"}, "NEW_OBJECT_2147483648"},
        {{"1;NEW_OBJECT_99999999999999999999999;"}, "NEW_OBJECT_1"},
        {{"1;NEW_OBJECT_x;", "1;new_object_4;"}, "NEW_OBJECT_1"},
        {{"1;NEW_OBJECT_01;", "1;new_object_2;"}, "NEW_OBJECT_3"}, // no case-blind clash
    };
    for (const Case& c : cases) {
        const QString path = Write("TLaser.txt", tfiletest::TFile(c.lines));
        TFileDocument document;
        QString error;
        ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded);
        EXPECT_EQ(document.NewObjectName(), c.next);
    }
}

TEST(TFileDocument, CreatedLinesAreSizedAndDiscardedLinesLeaveNothing) {
    const std::string text = tfiletest::TFile({"1;A;", "2;B;"});
    const QString path = Write("TLaser.txt", text);
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded);
    const auto second = document.Parser().FindIndex(1);
    const auto created = document.CreateObject(second, 4, error);
    ASSERT_TRUE(created) << error.toStdString();
    EXPECT_EQ(created->size(), 4);
    EXPECT_EQ(created->Index(), 1);
    document.DiscardObject(created);
    EXPECT_EQ(document.Parser().objects.count(), 2);
    ASSERT_EQ(document.Save(path, 1, error), TFileDocument::SaveResult::Saved);
    EXPECT_EQ(Read("TLaser.txt"), text);
}

// A laser table open in a document that counts its change signals.
class OpenTable : public testing::Test {
protected:
    void Open(const std::vector<std::string>& lines) {
        text = tfiletest::TFile(lines);
        path = Write("TLaser.txt", text);
        ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded)
            << error.toStdString();
        QObject::connect(&document, &TFileDocument::ObjectChanged, [this] { ++changed; });
    }

    TFileDocument::Record Line(int32_t index) const { return document.Parser().FindIndex(index); }

    std::string Saved() {
        EXPECT_EQ(document.Save(path, 1, error), TFileDocument::SaveResult::Saved)
            << error.toStdString();
        return Read("TLaser.txt");
    }

    // Lines of three values, as a panel of the kind makes them; adopt throws
    // when told to, as a ship model may on a line it cannot read.
    TFileDocument::LineMaker Maker(bool adoptFails = false) {
        return {[this](const TFileDocument::Record& before) {
                    QString refused;
                    return document.CreateObject(before, 3, refused);
                },
                [this, adoptFails](const TFileDocument::Record& record) {
                    if (adoptFails)
                        throw std::runtime_error("unreadable line");
                    adopted.push_back(record->ObjectName());
                }};
    }

    std::string text;
    QString path;
    TFileDocument document;
    QString error;
    int changed = 0;
    std::vector<QString> adopted;
};

TEST_F(OpenTable, InsertsNameCopyOrKeepTheNameOfTheirSource) {
    Open({"1;2;A;", "3;4;B;"});
    const auto fresh = document.InsertObject(nullptr, nullptr, 3, false, Maker(), error);
    ASSERT_TRUE(fresh) << error.toStdString();
    EXPECT_EQ(fresh->otype, 3);
    const auto copy = document.InsertObject(Line(1), Line(0), 3, false, Maker(), error);
    ASSERT_TRUE(copy) << error.toStdString();
    const auto moved = document.InsertObject(nullptr, Line(2), 3, true, Maker(), error);
    ASSERT_TRUE(moved) << error.toStdString();
    // The pasted line is adopted with its source's values, before it is renamed.
    EXPECT_EQ(adopted, (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(Saved(), tfiletest::TFile({"1;2;A;", "1;2;NEW_OBJECT_2;", "3;4;B;",
                                         "0;0;NEW_OBJECT_1;", "3;4;B;"}));
}

TEST_F(OpenTable, AnInsertThatFailsLeavesNoLineBehind) {
    Open({"1;2;A;"});
    EXPECT_FALSE(document.InsertObject(nullptr, Line(0), 3, false, Maker(true), error));
    EXPECT_EQ(error, "unreadable line");
    TFileDocument::LineMaker none = Maker();
    none.create = [](const TFileDocument::Record&) { return nullptr; };
    EXPECT_FALSE(document.InsertObject(nullptr, nullptr, 3, false, none, error));

    EXPECT_EQ(document.Parser().objects.count(), 1);
    EXPECT_EQ(Saved(), text);
}

TEST_F(OpenTable, ALineEditSignalsOnceWhenMadeAndReportsWhatItRaises) {
    Open({"1;2;A;"});
    const auto record = Line(0);
    EXPECT_TRUE(document.EditLine(
        record, [&](QString&) { return record->SetValue(0, 5) && record->SetValue(1, 6); }, error));
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(document.EditLine(
        record,
        [](QString& reason) {
            reason = QStringLiteral("cancelled");
            return false;
        },
        error));
    EXPECT_EQ(error, "cancelled");
    EXPECT_FALSE(document.EditLine(
        record, [](QString&) -> bool { throw std::runtime_error("List index out of bounds."); },
        error));
    EXPECT_EQ(error, "List index out of bounds.");
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(Saved(), tfiletest::TFile({"5;6;A;"}));
}

} // namespace

namespace {

TEST(TFileDocument, ChangesTheStoreRefusesAreReported) {
    const QString path = Write("TLaser.txt", tfiletest::TFile({"1;A;", "2;B;"}));
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(path, error), TFileDocument::OpenResult::Loaded);
    const auto removed = document.Parser().FindIndex(0);
    ASSERT_TRUE(document.RemoveObject(removed, error));
    int changed = 0;
    QObject::connect(&document, &TFileDocument::ObjectChanged, [&changed] { ++changed; });
    error.clear();
    EXPECT_FALSE(document.SetObjectName(removed, QStringLiteral("C"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(document.RemoveObject(removed, error));
    EXPECT_EQ(changed, 0);
}

} // namespace
