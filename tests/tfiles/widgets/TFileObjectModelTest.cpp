#include "tfiles/widgets/TFileWidgetTestSupport.h"

#include "tfiles/widgets/TFileObjectModel.h"

#include <gtest/gtest.h>

namespace {

TEST(TFileObjectModel, RowsStayFoundAcrossInsertsAndRemovals) {
    testsupport::writeFile(testsupport::dataDir() / "TTest.txt",
                           tfiletest::TFile({"1;A;", "2;B;", "3;C;"}));
    TFileDocument document;
    QString error;
    ASSERT_EQ(document.Open(tfiletest::DataPath("TTest.txt"), error),
              TFileDocument::OpenResult::Loaded);
    TFileObjectModel model;
    model.Fill(document.Parser().UnsortedObjects);
    const auto a = document.Parser().FindIndex(0);
    const auto b = document.Parser().FindIndex(1);
    const auto c = document.Parser().FindIndex(2);
    EXPECT_EQ(model.RowOf(c.get()), 2);

    const auto created = document.CreateObject(b, 2, error);
    ASSERT_TRUE(created);
    model.InsertRecord(created, model.RowOf(b.get()));
    EXPECT_EQ(model.RowOf(created.get()), 1);
    EXPECT_EQ(model.RowOf(b.get()), 2);
    EXPECT_EQ(model.RowOf(c.get()), 3);

    model.RemoveRecord(a.get());
    EXPECT_EQ(model.RowOf(a.get()), -1);
    EXPECT_EQ(model.RowOf(created.get()), 0);
    EXPECT_EQ(model.RowOf(c.get()), 2);
    EXPECT_EQ(model.RecordAt(2), c);

    model.Fill(document.Parser().objects);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.RowOf(a.get()), 0); // still in the file, listed again
    EXPECT_EQ(model.RowOf(created.get()), 3);
    EXPECT_EQ(model.index(0, 0).data().toString(), "A");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "ID");
}

} // namespace
