#include "tfiles/widgets/TFileWidgetTestSupport.h"

#include "common/mdlCommonGlobals.h"
#include "shell/widgets/frmFind.h"
#include "shell/widgets/frmText.h"
#include "support/Eventually.h"
#include "tfiles/widgets/EditingPanel.h"
#include "tfiles/widgets/frmEdit.h"
#include "tfiles/widgets/frmTXTEditor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using namespace tfilewidgettest;
using platform::PromptAnswer;

// A ship panel stand-in: claims "TShips", shows a class column and makes no lines.
class StubShipPanel : public EditingPanel {
public:
    using EditingPanel::EditingPanel;
    bool ZorvQueryInterfaceEx(const QString& title, int32_t& kind) override {
        if (!title.contains("TShips", Qt::CaseInsensitive))
            return false;
        kind = 1;
        return true;
    }
    QString PageName(int32_t) override { return "Ship info"; }
    bool Init(TFileDocument&) override { return true; }
    int32_t ZorvQueryInfo(int32_t) override { return 7; }
    bool Validate(QString&) override { return true; }
    QString ObjectTypeName(int32_t) override { return "Ships"; }
    QString GetResourceName(const clsTXTObject&) override { return {}; }
    QString GetRace(const clsTXTObject&) override { return {}; }
    QString GetClass(const clsTXTObject& record) override {
        return "class of " + record.ObjectName();
    }
    void ShowObject(const Record&, int32_t) override {}
    Record CreateObject(int32_t, TFileDocument&, const Record&) override { return nullptr; }
    bool InitObject(const Record&) override { return true; }
    bool RemoveObject(const Record&) override { return true; }
    QString ZorvGetPropertyName(const clsTXTObject&, int32_t) override { return {}; }
    int32_t ZorvSupportValueTranslate(const clsTXTObject&, int32_t) override { return 0; }
};

// A ship panel that cannot take the file.
class FailingShipPanel : public StubShipPanel {
public:
    using StubShipPanel::StubShipPanel;
    bool Init(TFileDocument&) override { return false; }
    QString GetLastError() const override { return "The ship tables are missing."; }
};

// A ship panel whose next Init fails when told to.
class FlakyShipPanel : public StubShipPanel {
public:
    using StubShipPanel::StubShipPanel;
    bool Init(TFileDocument&) override { return !failNext; }
    QString GetLastError() const override { return "The ship tables went away."; }
    bool failNext = false;
};

class Editor : public testing::Test {
protected:
    QString Write(const std::string& name, const std::string& bytes) {
        testsupport::writeFile(testsupport::dataDir() / name, bytes);
        return tfiletest::DataPath(name);
    }
    std::string Read(const std::string& name) {
        return testsupport::readFile(testsupport::dataDir() / name);
    }

    void Open(const QString& path) {
        QString chosen = path;
        window->OpenFile(chosen);
    }

    QStringList ListTexts() const {
        const QAbstractItemModel* model = List()->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, 0).data().toString();
        return texts;
    }
    QTreeView* List() const { return window->findChild<QTreeView*>("ObjectView"); }
    QString Status(int panel) const {
        return window->statusBar()->findChildren<QLabel*>().at(panel)->text();
    }
    void SelectRow(int row) { List()->setCurrentIndex(List()->model()->index(row, 0)); }
    QAction* Command(const QString& text) const {
        for (QAction* action : window->findChild<QMenu*>("mnuPopup")->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }
    void SetSorted(bool sorted) {
        auto* box = window->findChild<QCheckBox*>("chkSort");
        if (box->isChecked() != sorted)
            box->click();
    }
    // Edits a raw value of the selected object through Value Edit.
    void EditRaw(int index, const QString& text) {
        auto* values = window->findChild<QTreeWidget*>("ObjectDataView");
        values->setCurrentItem(values->topLevelItem(index));
        script.dialogs.answerAs<frmEdit>([text](frmEdit& edit) {
            edit.cmbValue()->setCurrentText(text);
            edit.btnOK()->click();
        });
        window->EditRawData();
    }

    void TearDown() override { PanelClaims::Register(PanelClaims::Slot::Ship, nullptr); }

    Scripted script;
    std::unique_ptr<frmTXTEditor> window = std::make_unique<frmTXTEditor>();
};

TEST_F(Editor, TitleDirtyMarkAndSave) {
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz");
    const QString path = Write("TLaser.txt", tfiletest::TFile({Laser("L0"), Laser("L1")}));
    Open(path);
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz - [" + path + " (Lasers)]");
    EXPECT_EQ(window->findChild<QTabWidget*>("MainTab")->tabText(1), "Laser info");
    SelectRow(1);
    EXPECT_EQ(Status(1), "Selected object index: 1");
    EditRaw(9, "99");
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz - [" + path + " (Lasers)] *");

    const std::string before = Read("TLaser.txt");
    script.prompts.answerFile(path, 1);
    script.prompts.answer(PromptAnswer::No); // keep the file
    EXPECT_FALSE(window->SaveFile());
    EXPECT_EQ(Read("TLaser.txt"), before);
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz - [" + path + " (Lasers)] *");

    script.prompts.answerFile(path, 1);
    script.prompts.answer(PromptAnswer::Yes); // replace the file
    EXPECT_TRUE(window->SaveFile());
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz - [" + path + " (Lasers)]");
    const QString replace = path + " already exist.\nDo you want to replace it?";
    EXPECT_EQ(script.messages(), QStringList({replace, replace}));
    EXPECT_EQ(Read("TLaser.txt"), tfiletest::TFile({Laser("L0"), Laser("L1", {{9, "99"}})}));
    EXPECT_EQ(window->RecentFiles().first(), path);
}

TEST_F(Editor, AnUneditedSaveIsByteIdenticalAndAPackedSaveUnpacksToThePlainText) {
    const std::string text = "// my lasers\r\n" + tfiletest::TFile({Laser("L0")});
    const QString path = Write("TLaser.txt", text);
    Open(path);
    script.prompts.answerFile(tfiletest::DataPath("copy.txt"), 1);
    ASSERT_TRUE(window->SaveFile());
    EXPECT_EQ(Read("copy.txt"), text);

    script.prompts.answerFile(tfiletest::DataPath("TLaser.pck"), 2);
    ASSERT_TRUE(window->SaveFile());
    const std::string packed = Read("TLaser.pck");
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed.substr(0, 2), "\x1f\x8b");
    TFileDocument reopened;
    QString error;
    ASSERT_EQ(reopened.Open(tfiletest::DataPath("TLaser.pck"), error),
              TFileDocument::OpenResult::Loaded);
    ASSERT_EQ(reopened.Save(tfiletest::DataPath("plain.txt"), 1, error),
              TFileDocument::SaveResult::Saved);
    EXPECT_EQ(Read("plain.txt"), text);
}

TEST_F(Editor, AWrongHeaderCountIsReportedAndCorrectedOnSave) {
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i)
        lines.push_back(Laser("L" + std::to_string(i)));
    const QString path = Write("TLaser.txt", tfiletest::TFile(lines, 12));
    Open(path);
    auto* report = window->findChild<frmText*>();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->Text().startsWith(
        "Warning: Number of lines in file header does not match actual number of objects in "
        "file (number in header: 12, actual number: 10).\nSaving the file will correct this."))
        << report->Text().toStdString();
    EXPECT_EQ(report->windowTitle(), "Errors in file data");

    script.prompts.answerFile(tfiletest::DataPath("fixed.txt"), 1);
    ASSERT_TRUE(window->SaveFile());
    EXPECT_EQ(Read("fixed.txt"), tfiletest::TFile(lines));
}

TEST_F(Editor, AddedObjectsAreZeroLinesWithTheNextFreeName) {
    const QString path = Write("TLaser.txt", tfiletest::TFile({Laser("L0")}));
    Open(path);
    window->findChild<QMenu*>("mnuPopup");
    Command("Add...")->trigger();
    EXPECT_EQ(window->SelectedObject()->ObjectName(), "NEW_OBJECT_1");
    EXPECT_EQ(Status(0), "2 objects");
    script.prompts.answerFile(tfiletest::DataPath("added.txt"), 1);
    ASSERT_TRUE(window->SaveFile());
    EXPECT_EQ(Read("added.txt"),
              tfiletest::TFile({Laser("L0"), "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;NEW_OBJECT_1;"}));

    Open(Write("TShields.txt", tfiletest::TFile({Line(17, "NEW_OBJECT_7")})));
    SetSorted(false);
    SelectRow(0);
    script.prompts.answer(PromptAnswer::No); // at the end
    Command("Add...")->trigger();
    EXPECT_EQ(ListTexts(), QStringList({"NEW_OBJECT_7", "NEW_OBJECT_8"}));
}

TEST_F(Editor, SortedAndFileOrder) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("Cx"), Laser("ab"), Laser("Bq")})));
    SetSorted(true);
    EXPECT_EQ(ListTexts(), QStringList({"ab", "Bq", "Cx"}));
    SetSorted(false);
    EXPECT_EQ(ListTexts(), QStringList({"Cx", "ab", "Bq"}));
    EXPECT_EQ(Status(0), "3 objects");
    EXPECT_EQ(List()->model()->headerData(0, Qt::Horizontal).toString(), "ID");
}

TEST_F(Editor, InsertRefusals) {
    Open(Write("TTest.txt", tfiletest::TFile({"1;A;"})));
    EXPECT_EQ(window->windowTitle(),
              "DIV Avuruz - [" + tfiletest::DataPath("TTest.txt") + " (unknown)]");
    Command("Add...")->trigger();

    Open(Write("TLaser.txt", tfiletest::TFile({Laser("L0"), Laser("L1")})));
    SetSorted(true);
    SelectRow(0);
    script.prompts.answer(PromptAnswer::Yes); // before the selection
    Command("Add...")->trigger();
    script.prompts.answer(PromptAnswer::Cancel);
    Command("Add...")->trigger();
    Command("Copy")->trigger();

    Open(Write("TShields.txt", tfiletest::TFile({Line(17, "S0")})));
    Command("Paste...")->trigger();

    PanelClaims::Register(PanelClaims::Slot::Ship,
                          [](QWidget* parent) { return new StubShipPanel(parent); });
    frmTXTEditor withShips;
    QString ships = Write("TShips.txt", tfiletest::TFile({"1;2;S;"}));
    withShips.OpenFile(ships);
    withShips.InsertObject(nullptr, 0);
    EXPECT_FALSE(withShips.Document().IsDirty());

    EXPECT_EQ(script.messages(),
              QStringList({"This type of file is not recognized. You cannot add objects to it.",
                           "Do you want to insert new object before currenty selected object?\n\n"
                           "Press Yes to insert object before the current one.\nPress No to "
                           "add object at the end.",
                           "You cannot insert object into sorted list.\nUncheck the Sort "
                           "checkbox and insert the object again.",
                           "Do you want to insert new object before currenty selected object?\n\n"
                           "Press Yes to insert object before the current one.\nPress No to "
                           "add object at the end.",
                           "Cannot insert: object types are different.", "Error creating object"}));
    EXPECT_EQ(window->Document().Parser().objects.count(), 1);
}

TEST_F(Editor, ThePanelsAreAskedInOrderAndTheShipPanelShowsTheClassColumn) {
    PanelClaims::Register(PanelClaims::Slot::Ship,
                          [](QWidget* parent) { return new StubShipPanel(parent); });
    frmTXTEditor withShips;
    QString path = Write("TShips_TLaser.txt", tfiletest::TFile({"1;2;S;"}));
    withShips.OpenFile(path);
    EXPECT_EQ(withShips.TypeId(), 1);
    EXPECT_TRUE(withShips.windowTitle().endsWith("(Ships)]"));
    const QAbstractItemModel* model = withShips.findChild<QTreeView*>("ObjectView")->model();
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Class");
    EXPECT_EQ(model->index(0, 1).data().toString(), "class of S");

    // A lasers file in the same window drops the column again.
    QString lasers = Write("TLaser.txt", tfiletest::TFile({Laser("L0")}));
    withShips.OpenFile(lasers);
    EXPECT_EQ(withShips.TypeId(), 3);
    EXPECT_EQ(model->columnCount(), 1);
}

// A view sizing to its contents weighs no more than a thousand rows; the
// widest texts here sit last in a longer list.
TEST_F(Editor, TheNameAndClassColumnsFitTheWidestTextsOfAllRows) {
    PanelClaims::Register(PanelClaims::Slot::Ship,
                          [](QWidget* parent) { return new StubShipPanel(parent); });
    frmTXTEditor withShips;
    std::vector<std::string> lines;
    for (int line = 0; line < 1500; ++line)
        lines.push_back("1;S" + std::to_string(1000 + line) + ";");
    const std::string widest = "ZZ_WIDEST_SHIP_WITH_A_NAME_FAR_LONGER_THAN_THE_OTHERS";
    lines.push_back("1;" + widest + ";");
    QString path = Write("TShips.txt", tfiletest::TFile(lines));
    withShips.OpenFile(path);
    withShips.show();
    const QTreeView* list = withShips.findChild<QTreeView*>("ObjectView");
    const QAbstractItemModel* model = list->model();
    ASSERT_EQ(model->columnCount(), 2);
    const int last = model->rowCount() - 1;
    ASSERT_EQ(model->index(last, 0).data().toString(), QString::fromStdString(widest));
    for (int column : {0, 1})
        EXPECT_GE(list->columnWidth(column),
                  list->sizeHintForIndex(model->index(last, column)).width())
            << "column " << column;
}

TEST_F(Editor, FailedOpensKeepTheOpenFileAndLeaveTheRecentList) {
    const QString path = Write("TLaser.txt", tfiletest::TFile({Laser("L0")}));
    Open(path);
    SelectRow(0);
    EditRaw(3, "33");
    const QString missing = tfiletest::DataPath("gone.txt");
    const QString xml = Write("TWareF.txt", "<?xml version=\"1.0\"?>\n<language id=\"44\"/>\n");
    script.prompts.answer(PromptAnswer::No); // discard? no: keep going without saving
    Open(missing);
    script.prompts.answer(PromptAnswer::No);
    Open(xml);
    const QStringList messages = script.messages();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(messages[1].startsWith("Error opening file: \n\n")) << messages[1].toStdString();
    EXPECT_GT(messages[1].size(), QString("Error opening file: \n\n").size());
    EXPECT_TRUE(messages[3].startsWith("Error loading from file: \n\n"))
        << messages[3].toStdString();
    EXPECT_FALSE(window->RecentFiles().contains(missing));
    EXPECT_FALSE(window->RecentFiles().contains(xml));
    EXPECT_TRUE(window->RecentFiles().contains(path));
    // The open file and its edit are still there, and can be saved.
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz - [" + path + " (Lasers)] *");
    EXPECT_EQ(ListTexts(), QStringList{"L0"});
    EXPECT_EQ(window->SelectedObject()->Value(3).toInt(), 33);
}

TEST_F(Editor, CutAndPasteMovesAndTheClipboardForgetsDeletedLines) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("L0"), Laser("L1"), Laser("L2")})));
    SetSorted(false);
    SelectRow(0);
    Command("Cut")->trigger();
    EXPECT_FALSE(Command("Copy")->isEnabled());
    SelectRow(2);
    script.prompts.answer(PromptAnswer::No); // at the end
    Command("Paste...")->trigger();
    EXPECT_EQ(ListTexts(), QStringList({"L1", "L2", "L0"}));
    EXPECT_EQ(window->Document().Parser().objects.count(), 3);
    EXPECT_FALSE(Command("Paste...")->isEnabled());

    SelectRow(0);
    Command("Copy")->trigger();
    EXPECT_TRUE(Command("Paste...")->isEnabled());
    script.prompts.answer(PromptAnswer::Yes); // delete L1
    Command("Delete...")->trigger();
    EXPECT_EQ(ListTexts(), QStringList({"L2", "L0"}));
    EXPECT_FALSE(Command("Paste...")->isEnabled());
    EXPECT_EQ(script.messages().last(), "Do you really want to delete the selected object L1 ?");
}

TEST_F(Editor, FindGoesOnAfterTheLastMatch) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("alpha"), Laser("beta"), Laser("alphabet")})));
    SetSorted(false);
    QString text = "ALPHA";
    QVariant position;
    bool found = false;
    window->FindNext(false, text, position, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(window->SelectedObject()->ObjectName(), "alpha");
    found = false;
    window->FindNext(false, text, position, found);
    EXPECT_EQ(window->SelectedObject()->ObjectName(), "alphabet");
    found = false;
    window->FindNext(false, text, position, found);
    EXPECT_FALSE(found);
    SelectRow(1);
    position = QVariant();
    window->FindNext(true, text, position, found);
    EXPECT_FALSE(found); // "alphabet" is no whole match
}

TEST_F(Editor, ClosingAsksAboutChangesAndRemembersTheListOptions) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("L0")})));
    window->show();
    SelectRow(0);
    EditRaw(2, "5");
    script.prompts.answer(PromptAnswer::Cancel);
    EXPECT_FALSE(window->close());
    SetSorted(false);
    window->findChild<QRadioButton*>("rbName1")->click();
    EXPECT_EQ(List()->model()->headerData(0, Qt::Horizontal).toString(), "Race");
    script.prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(window->close());

    frmTXTEditor next;
    EXPECT_FALSE(next.findChild<QCheckBox*>("chkSort")->isChecked());
    EXPECT_TRUE(next.findChild<QRadioButton*>("rbName1")->isChecked());
    EXPECT_EQ(next.RecentFiles(), QStringList{tfiletest::DataPath("TLaser.txt")});
}

} // namespace

namespace {

TEST_F(Editor, ACopyIsPastedIntoAnotherFileOfTheSameKind) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("L0"), Laser("L1", {{9, "99"}})})));
    SetSorted(false);
    SelectRow(1);
    Command("Copy")->trigger();
    Open(Write("TLaser2.txt", tfiletest::TFile({Laser("M0")})));
    Command("Paste...")->trigger();
    EXPECT_EQ(ListTexts(), QStringList({"M0", "NEW_OBJECT_1"}));
    EXPECT_EQ(window->SelectedObject()->Value(9).toInt(), 99);
    EXPECT_EQ(window->SelectedObject()->otype, 3);

    // A cut line cannot be moved out of a file that is no longer open.
    Command("Cut")->trigger();
    script.prompts.answer(PromptAnswer::No); // drop the paste
    Open(tfiletest::DataPath("TLaser.txt"));
    EXPECT_EQ(window->Document().FileName(), tfiletest::DataPath("TLaser.txt"));
    EXPECT_FALSE(Command("Paste...")->isEnabled());
}

} // namespace

namespace {

TEST_F(Editor, TheWatchRangeListsTheValuesTheObjectHas) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("L0")})));
    SelectRow(0);
    auto* from = window->findChild<QLineEdit*>("WatchFrom");
    auto* to = window->findChild<QLineEdit*>("WatchTo");
    auto* watch = window->findChild<QListWidget*>("WatchList");
    from->setText("3");
    to->setText("100");
    ASSERT_EQ(watch->count(), 15);
    EXPECT_EQ(watch->item(0)->text(), "3. 3");
    EXPECT_EQ(watch->item(14)->text(), "17. L0");
    to->clear();
    EXPECT_EQ(watch->count(), 0);

    // The ID row edits the name.
    auto* values = window->findChild<QTreeWidget*>("ObjectDataView");
    values->setCurrentItem(values->topLevelItem(17));
    script.dialogs.answerAs<frmEdit>([](frmEdit& edit) {
        EXPECT_EQ(edit.PropNameEdit()->text(), "Name");
        edit.cmbValue()->setCurrentText("L9");
        edit.btnOK()->click();
    });
    window->EditRawData();
    EXPECT_EQ(ListTexts(), QStringList{"L9"});
    EXPECT_EQ(window->findChild<QLabel*>("lblObjectName")->text(), "L9");
}

} // namespace

namespace {

TEST_F(Editor, TheOpenDialogAndCancelledSavesOnClosing) {
    const QString path = Write("TShields.txt", tfiletest::TFile({Line(17, "S0")}));
    QString chosen;
    script.prompts.answerFile(path);
    window->OpenFile(chosen);
    EXPECT_EQ(chosen, path);
    EXPECT_EQ(window->windowTitle(), "DIV Avuruz - [" + path + " (Shields)]");
    const auto& asked = script.prompts.asked();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front().file.filter,
              "Zorv T files (*.txt; *.pck; *.cat)|*.txt;*.pck;*.cat|Zorv Catalogs (*.cat)|*.cat|"
              "All files (*.*)|*.*");

    QString cancelled;
    window->OpenFile(cancelled); // the chooser is cancelled: nothing changes
    EXPECT_TRUE(cancelled.isEmpty());
    EXPECT_EQ(window->Document().FileName(), path);

    window->show();
    SelectRow(0);
    EditRaw(2, "5");
    script.prompts.answer(PromptAnswer::Yes); // save, then cancel the Save dialog
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(script.messages().last(),
              "You have changed data in file TShields.txt\n\nDo you want to save your changes?");
}

TEST_F(Editor, ShortLinesAndTextsShowWithoutHarm) {
    Open(Write("TBullets.txt", tfiletest::TFile({"1;2;3;B0;", Bullet("B1", {{10, "long"}})})));
    SetSorted(false);
    SelectRow(0);
    SelectRow(1);
    auto* rows = window->findChild<QTreeWidget*>("PropView");
    ASSERT_TRUE(rows);
    EXPECT_FALSE(rows->findItems("[error]", Qt::MatchExactly, 1).isEmpty());
    EXPECT_FALSE(rows->findItems("long", Qt::MatchExactly, 1).isEmpty());
    EXPECT_FALSE(window->Document().IsDirty());

    window->findChild<QAction*>("zorv")->trigger();
    EXPECT_TRUE(script.messages().last().startsWith("Program cannot found registry entry"));
}

} // namespace

namespace {

TEST_F(Editor, KeysAndADroppedFile) {
    Open(Write("TLaser.txt", tfiletest::TFile({Laser("L0"), Laser("L1")})));
    window->show();
    // Shortcuts reach only the active window, which a busy machine makes late.
    window->activateWindow();
    ASSERT_TRUE(testsupport::Eventually([this] { return window->isActiveWindow(); }));
    SelectRow(0);
    script.prompts.answer(PromptAnswer::Yes);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(ListTexts(), QStringList{"L1"});

    auto* values = window->findChild<QTreeWidget*>("ObjectDataView");
    values->setCurrentItem(values->topLevelItem(3));
    script.dialogs.answerAs<frmEdit>([](frmEdit& edit) { edit.btnCancel()->click(); });
    QTest::keyClick(values, Qt::Key_Return);
    EXPECT_EQ(script.dialogs.shown(), QStringList{"frmEdit"});

    QTest::keyClick(List(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(window->findChild<frmFind*>());

    const QString dropped = Write("TShields.txt", tfiletest::TFile({Line(17, "S0")}));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    script.prompts.answer(PromptAnswer::No); // the deletion is not saved
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List()->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QApplication::sendEvent(List()->viewport(), &drop);
    EXPECT_EQ(window->Document().FileName(), dropped);
    EXPECT_EQ(ListTexts(), QStringList{"S0"});
}

} // namespace

namespace {

TEST_F(Editor, AFileWhosePanelFailsIsEditedRaw) {
    PanelClaims::Register(PanelClaims::Slot::Ship,
                          [](QWidget* parent) { return new FailingShipPanel(parent); });
    frmTXTEditor withShips;
    QString path = Write("TShips.txt", tfiletest::TFile({"1;2;S;"}));
    withShips.OpenFile(path);
    EXPECT_EQ(script.messages(), QStringList{"The ship tables are missing."});
    EXPECT_EQ(withShips.CurrentPanel(), nullptr);
    EXPECT_EQ(withShips.windowTitle(), "DIV Avuruz - [" + path + " (unknown)]");
    EXPECT_EQ(withShips.Document().Parser().objects.count(), 1);
    withShips.InsertObject(nullptr, 0);
    EXPECT_EQ(script.messages().last(),
              "This type of file is not recognized. You cannot add objects to it.");
}

// Only the panel that took the file is shown, whichever was shown before,
// and a panel that claims a file but cannot take it is hidden.
TEST_F(Editor, OnlyThePanelThatTookTheFileIsShown) {
    PanelClaims::Register(PanelClaims::Slot::Ship,
                          [](QWidget* parent) { return new FlakyShipPanel(parent); });
    frmTXTEditor withShips;
    auto* ships = withShips.findChild<FlakyShipPanel*>();
    auto* wares = withShips.findChild<EditingPanel*>("WareEdit");
    auto* pages = withShips.findChild<QTabWidget*>("MainTab");
    ASSERT_TRUE(ships && wares);
    const auto open = [&](const std::string& name, const std::string& line) {
        QString path = Write(name, tfiletest::TFile({line}));
        withShips.OpenFile(path);
    };
    struct Step {
        std::string file;
        bool shipFails;
        EditingPanel* shown;
        bool panelPage;
        QString pageName;
    };
    const Step steps[] = {
        {"TLaser.txt", false, wares, true, "Laser info"},
        {"TLaser.txt", false, wares, true, "Laser info"},
        {"TShips.txt", false, ships, true, "Ship info"},
        {"TShips.txt", false, ships, true, "Ship info"},
        {"TLaser.txt", false, wares, true, "Laser info"},
        {"TShips.txt", false, ships, true, "Ship info"},
        {"TShips.txt", true, nullptr, true, "Ship info"},
        {"TUnknown.txt", false, nullptr, false, ""},
        {"TShips.txt", false, ships, true, "Ship info"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.file + (step.shipFails ? " (failing)" : ""));
        ships->failNext = step.shipFails;
        open(step.file, step.file == "TLaser.txt" ? Laser("L0") : "1;2;S;");
        EXPECT_EQ(withShips.CurrentPanel(), step.shown);
        EXPECT_EQ(ships->isHidden(), step.shown != ships);
        EXPECT_EQ(wares->isHidden(), step.shown != wares);
        EXPECT_EQ(pages->isTabVisible(1), step.panelPage);
        EXPECT_EQ(pages->tabText(1), step.pageName);
        EXPECT_EQ(pages->currentIndex(), step.panelPage ? 1 : 0);
    }
    EXPECT_EQ(script.messages(), QStringList{"The ship tables went away."});
}

} // namespace
