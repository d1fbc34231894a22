#include "shell/widgets/frmFind.h"

#include "platform/ScriptedPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Search {
    bool wholeWords = false;
    bool useId = false;
    QString data;
    QVariant tagIn;
};

class FindWindow : public testing::Test {
protected:
    FindWindow() : find(new frmFind) {
        QObject::connect(
            find, &frmFind::OnFindNext,
            [this](bool wholeWords, bool useId, QString& data, QVariant& tag, bool& found) {
                searches.push_back({wholeWords, useId, data, tag});
                tag = tag.toInt() + 1;
                found = answer;
            });
        QObject::connect(find, &frmFind::OnClose, [this] { ++closes; });
    }
    ~FindWindow() override { delete find.data(); }

    template <class T> T* control(const char* name) { return find->findChild<T*>(name); }
    void type(const QString& text) { QTest::keyClicks(control<QLineEdit>("FindEdit"), text); }
    void findNext() { control<QPushButton>("btnFindNext")->click(); }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    QPointer<frmFind> find;
    std::vector<Search> searches;
    bool answer = true;
    int closes = 0;
};

} // namespace

TEST_F(FindWindow, CaptionsAndFindNextFollowsTheText) {
    EXPECT_EQ(find->windowTitle(), "Find");
    EXPECT_EQ(control<QLabel>("Label1")->text(), "Find what");
    EXPECT_EQ(control<QCheckBox>("chkWholeWords")->text(), "Match whole words");
    EXPECT_EQ(control<QLabel>("lblIDText")->text(), "Compare:");
    EXPECT_EQ(control<QRadioButton>("rbIDText0")->text(), "ID");
    EXPECT_EQ(control<QRadioButton>("rbIDText1")->text(), "Text");
    EXPECT_EQ(control<QPushButton>("btnCancel")->text(), "Close");
    auto* findNext = control<QPushButton>("btnFindNext");
    EXPECT_EQ(findNext->text(), "Find Next");
    EXPECT_FALSE(findNext->isEnabled());
    type("S");
    EXPECT_TRUE(findNext->isEnabled());
    QTest::keyClick(control<QLineEdit>("FindEdit"), Qt::Key_Backspace);
    EXPECT_FALSE(findNext->isEnabled());

    // The text is selected whole when the field takes the focus.
    find->ShowFind();
    QApplication::setActiveWindow(find);
    type("SS_LA");
    findNext->setFocus();
    control<QLineEdit>("FindEdit")->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(control<QLineEdit>("FindEdit")->selectedText(), "SS_LA");
}

TEST_F(FindWindow, TFileModeHidesTheChoiceSearchesByIdAndFollowsTheCheckBox) {
    find->ShowFind();
    EXPECT_FALSE(control<QLabel>("lblIDText")->isVisible());
    EXPECT_FALSE(control<QRadioButton>("rbIDText0")->isVisible());
    EXPECT_TRUE(control<QCheckBox>("chkWholeWords")->isEnabled());
    type("SS_SH");
    findNext();
    control<QCheckBox>("chkWholeWords")->setChecked(true);
    findNext();
    ASSERT_EQ(searches.size(), 2u);
    EXPECT_TRUE(searches[0].useId);
    EXPECT_FALSE(searches[0].wholeWords);
    EXPECT_EQ(searches[0].data, "SS_SH");
    EXPECT_TRUE(searches[1].wholeWords);
    // The window keeps the position between searches.
    EXPECT_FALSE(searches[0].tagIn.isValid());
    EXPECT_EQ(searches[1].tagIn.toInt(), 1);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(FindWindow, ResourceModeWholeWordsOnlyByText) {
    find->ShowFindResEditor();
    auto* wholeWords = control<QCheckBox>("chkWholeWords");
    EXPECT_TRUE(control<QLabel>("lblIDText")->isVisible());
    EXPECT_TRUE(control<QRadioButton>("rbIDText1")->isVisible());
    EXPECT_FALSE(wholeWords->isEnabled());
    type("1001");
    findNext();
    QTest::mouseClick(control<QRadioButton>("rbIDText1"), Qt::LeftButton);
    EXPECT_TRUE(wholeWords->isEnabled());
    findNext();
    wholeWords->setChecked(true);
    findNext();
    QTest::mouseClick(control<QRadioButton>("rbIDText0"), Qt::LeftButton);
    EXPECT_FALSE(wholeWords->isEnabled());
    wholeWords->setChecked(false);
    findNext();
    ASSERT_EQ(searches.size(), 4u);
    EXPECT_TRUE(searches[0].useId && searches[0].wholeWords);
    EXPECT_TRUE(!searches[1].useId && !searches[1].wholeWords);
    EXPECT_TRUE(!searches[2].useId && searches[2].wholeWords);
    EXPECT_TRUE(searches[3].useId && searches[3].wholeWords);
}

TEST_F(FindWindow, NothingFoundIsToldAndClearTagStartsAfresh) {
    find->ShowFind();
    type("none");
    answer = false;
    findNext();
    ASSERT_EQ(prompts.messages().size(), 1u);
    const auto message = prompts.messages().front();
    EXPECT_EQ(message.title, "Find");
    EXPECT_EQ(message.text, "No more occurencies found.");
    EXPECT_EQ(message.icon, platform::PromptIcon::Information);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(control<QLineEdit>("FindEdit")->text(), "none");
    find->ClearTag();
    findNext();
    EXPECT_FALSE(searches.back().tagIn.isValid());
}

TEST_F(FindWindow, CloseTellsTheOwnerOnceAndDeletesTheWindow) {
    QWidget owner;
    find->ShowFindResEditor(false, &owner);
    find->SetCaption("Find text");
    EXPECT_EQ(find->windowTitle(), "Find text");
    EXPECT_EQ(find->parentWidget(), &owner);
    control<QPushButton>("btnCancel")->click();
    EXPECT_EQ(closes, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(find.isNull());
}
