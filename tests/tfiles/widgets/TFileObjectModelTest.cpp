#include "tfiles/widgets/TFileWidgetTestSupport.h"

#include "tfiles/widgets/TFileObjectModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The lines written as a T-file and opened in the document.
void OpenLines(TFileDocument& document, const std::vector<std::string>& lines) {
    testsupport::writeFile(testsupport::dataDir() / "TTest.txt", tfiletest::TFile(lines));
    QString error;
    ASSERT_EQ(document.Open(tfiletest::DataPath("TTest.txt"), error),
              TFileDocument::OpenResult::Loaded);
}

TEST(TFileObjectModel, RowsStayFoundAcrossInsertsAndRemovals) {
    TFileDocument document;
    ASSERT_NO_FATAL_FAILURE(OpenLines(document, {"1;A;", "2;B;", "3;C;"}));
    QString error;
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

// The list's own index and flags answer as a table model's do.
TEST(TFileObjectModel, IndexesAndFlagsOfATable) {
    TFileDocument document;
    ASSERT_NO_FATAL_FAILURE(OpenLines(document, {"1;A;", "2;B;"}));
    TFileObjectModel model;
    model.Fill(document.Parser().UnsortedObjects);
    const QModelIndex first = model.index(0, 0);
    struct Case {
        int row;
        int column;
        QModelIndex parent;
        bool classColumn;
        bool valid;
    };
    const Case cases[] = {
        {0, 0, {}, false, true},     {1, 0, {}, false, true},   {2, 0, {}, false, false},
        {-1, 0, {}, false, false},   {0, -1, {}, false, false}, {0, 1, {}, false, false},
        {0, 1, {}, true, true},      {1, 1, {}, true, true},    {0, 2, {}, true, false},
        {0, 0, first, false, false},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(testing::Message()
                     << each.row << "," << each.column << " class column " << each.classColumn);
        model.SetClassColumn(each.classColumn);
        const QModelIndex index = model.index(each.row, each.column, each.parent);
        ASSERT_EQ(index.isValid(), each.valid);
        if (!each.valid) {
            EXPECT_EQ(model.flags(index), Qt::NoItemFlags);
            continue;
        }
        EXPECT_EQ(index.row(), each.row);
        EXPECT_EQ(index.column(), each.column);
        EXPECT_EQ(index.model(), &model);
        EXPECT_FALSE(index.parent().isValid());
        EXPECT_EQ(model.flags(index),
                  Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
        EXPECT_FALSE(static_cast<const QAbstractItemModel&>(model).hasChildren(index));
    }
}

} // namespace
