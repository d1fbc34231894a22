// Pages and texts in memory: repeated ids, completing a page from a later
// copy, keys and copies.
#include "resources/clsPage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::shared_ptr<clsString> MakeText(int32_t pageId, int32_t id, const QString& raw) {
    auto text = std::make_shared<clsString>();
    text->PageID = pageId;
    text->ID = id;
    text->SetRawText(raw);
    return text;
}

std::vector<QString> RawTexts(const clsPage& page) {
    std::vector<QString> texts;
    for (const auto& text : page.Strings)
        texts.push_back(QString::number(text->ID) + "=" + text->RawText());
    return texts;
}

TEST(Page, ARepeatedIdKeepsThePlaceOfTheFirstAndTheTextOfTheLater) {
    clsPage page;
    page.PageID = 17;
    const auto first = MakeText(17, 3, "first");
    page.AddString(first);
    page.AddString(MakeText(17, 4, "other"));
    page.AddString(MakeText(17, 3, "second"));
    EXPECT_EQ(page.Strings.count(), 2);
    EXPECT_EQ(page.FindString(3), first);
    EXPECT_EQ(first->RawText(), "second");
    EXPECT_TRUE(page.DuplicitIDs);
    EXPECT_EQ(page.GetLastError(), "Warning: duplicit string ID=3 found in page 17");

    page.AddString(MakeText(17, 3, "third"));
    EXPECT_EQ(page.GetLastError(), "Warning: duplicit string ID=3 found in page 17\n"
                                   "Warning: duplicit string ID=3 found in page 17");
}

TEST(Page, ALaterTitleOrDescriptionReplacesOnlyWhenItSaysSomething) {
    struct Case {
        const char* later;
        const char* result;
    };
    const Case cases[] = {
        {"New", "New"}, {"   ", "Old"}, {"-", "Old"}, {" - ", " - "}, {"", "Old"}};
    for (const Case& c : cases) {
        clsPage page;
        page.Name = page.desc = "Old";
        clsPage later;
        later.Name = c.later;
        later.desc = "Desc";
        page.CompleteFrom(later);
        EXPECT_EQ(page.Name, c.result) << c.later;
        EXPECT_EQ(page.desc, "Desc");

        later.Name = "Title";
        later.desc = c.later;
        page.desc = "Old";
        page.CompleteFrom(later);
        EXPECT_EQ(page.desc, c.result) << c.later;
    }
}

TEST(Page, ALaterCopysTextsReplaceEarlierOnesExceptADash) {
    clsPage page;
    page.PageID = 17;
    for (const auto& [id, raw] : {std::pair{1, "one"}, {2, "two"}, {3, "three"}})
        page.AddString(MakeText(17, id, raw));
    clsPage later;
    later.PageID = 17;
    for (const auto& [id, raw] : {std::pair{2, "TWO"}, {3, "-"}, {4, "-"}, {5, "five"}})
        later.AddString(MakeText(17, id, raw));

    page.CompleteFrom(later);
    const std::vector<QString> expected = {"1=one", "3=three", "2=TWO", "4=-", "5=five"};
    EXPECT_EQ(RawTexts(page), expected);
    EXPECT_EQ(page.FindString(2), later.FindString(2)) << "the later objects are taken over";

    // One text at a time gives the same.
    clsPage single;
    single.PageID = 17;
    for (const auto& [id, raw] : {std::pair{1, "one"}, {2, "two"}, {3, "three"}})
        single.AddString(MakeText(17, id, raw));
    for (const auto& text : later.Strings)
        single.OverwriteString(text);
    EXPECT_EQ(RawTexts(single), expected);
}

TEST(Page, LookUpsKeysAndCopies) {
    clsPage page;
    page.PageID = 17;
    page.Name = "Names";
    page.desc = "Objects";
    page.Dirty = page.DuplicitIDs = page.NotLoaded = true;
    page.ID = 9;
    const auto text = MakeText(17, 100, "raw");
    page.AddString(text);
    EXPECT_EQ(page.Key(), "17k");
    EXPECT_EQ(text->Key(), "17-100k");
    EXPECT_EQ(clsString::MakeKey(-2, -5), "-2--5k");

    QString found = "untouched";
    EXPECT_FALSE(page.StringText(1, found));
    EXPECT_EQ(found, "untouched");
    EXPECT_EQ(page.FindString(1), nullptr);
    EXPECT_TRUE(page.StringText(100, found));
    EXPECT_EQ(found, "raw");

    text->SetText("resolved");
    EXPECT_TRUE(text->Translated());
    EXPECT_EQ(text->Text(), "resolved");
    EXPECT_EQ(text->RawText(), "raw");
    const auto copy = text->Clone();
    EXPECT_EQ(copy->Key(), "17-100k");
    EXPECT_EQ(copy->Text(), "resolved");

    const auto clone = page.Clone();
    EXPECT_EQ(clone->PageID, 17);
    EXPECT_EQ(clone->Name, "Names");
    EXPECT_EQ(clone->desc, "Objects");
    EXPECT_TRUE(clone->Dirty && clone->DuplicitIDs);
    EXPECT_EQ(clone->ID, 0);
    EXPECT_FALSE(clone->NotLoaded);
    EXPECT_TRUE(clone->Strings.isEmpty());
    EXPECT_TRUE(clone->GetLastError().isEmpty());

    EXPECT_TRUE(page.RemoveString(*text));
    EXPECT_FALSE(page.RemoveString(*text));
}

} // namespace
