#include "gamefiles/widgets/frmCATDialog.h"

#include "CatalogFixture.h"
#include "platform/ScriptedPrompts.h"
#include "platform/ZorvError.h"
#include "platform/widgets/DialogRunner.h"
#include "support/ClickRows.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace cattest;
using platform::PromptIcon;

namespace {

const QString kXmlFilter = "Zorv Resource Files - plain (*.xml)|*.xml|"
                           "Zorv Resource Files - packed (*.pck)|*.pck";

class CatalogDialog : public CatalogTest {
protected:
    // Shows the dialog on the fixture catalog and runs the step while it is
    // shown.
    void show(bool save, std::function<void(frmCATDialog&)> step) {
        dialogs.answerAs<frmCATDialog>(std::move(step));
        if (save)
            dialog.ShowSave(catalog);
        else
            dialog.ShowOpen(catalog);
    }

    frmCATDialog dialog;
};

} // namespace

TEST_F(CatalogDialog, OpenShowsTheProposedFolderAndChoosesAFile) {
    dialog.FileName = "types\\TShips.txt";
    dialog.filter = "All Files (*.*)|*.*";
    dialog.DialogTitle = "Open";
    show(false, [&](frmCATDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Catalog " + catalog + " - Open");
        EXPECT_EQ(control<QLabel>(shown, "lblCaption")->text(), "Look in");
        EXPECT_EQ(control<QLabel>(shown, "Label1")->text(), "File name");
        EXPECT_EQ(control<QLabel>(shown, "lblFilter")->text(), "Files of type");
        EXPECT_EQ(control<QPushButton>(shown, "btnOK")->text(), "Open");
        EXPECT_EQ(control<QPushButton>(shown, "btnCancel")->text(), "Cancel");
        EXPECT_EQ(control<QToolBar>(shown, "DirBar")->actions().front()->text(), "Up One Level");
        EXPECT_EQ(control<QToolBar>(shown, "CloseBar")->actions().front()->text(), "Close Catalog");
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")),
                  (QStringList{"data.cat", "    types"}));
        EXPECT_EQ(control<QComboBox>(shown, "cmbDir")->currentIndex(), 1);
        EXPECT_EQ(listed(shown), (QStringList{"sub\\", "TLasers.txt", "TShips.txt"}));
        EXPECT_EQ(control<QListWidget>(shown, "FileView")->currentItem(),
                  item(shown, "TShips.txt"));
        EXPECT_EQ(control<QComboBox>(shown, "cmbFileName")->currentText(), "TShips.txt");
        press(shown, "btnOK");
    });
    EXPECT_EQ(dialog.ModalResult(), frmCATDialog::kChosen);
    EXPECT_EQ(dialog.FileName, catalog + "::types\\TShips.txt");
    EXPECT_EQ(dialog.FilterIndex, 1);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(CatalogDialog, GoingDownAndUpTheFolders) {
    show(false, [&](frmCATDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Catalog " + catalog);
        EXPECT_EQ(listed(shown), (QStringList{"t\\", "types\\", "lang.xml", "readme.txt"}));
        trigger(shown, "DirBar"); // at the top nothing changes
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")), QStringList{"data.cat"});
        open(shown, "types");
        open(shown, "sub");
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")),
                  (QStringList{"data.cat", "    types", "        sub"}));
        EXPECT_EQ(listed(shown), QStringList{"deep.xml"});
        chooseDir(shown, 1);
        EXPECT_EQ(listed(shown), (QStringList{"sub\\", "TLasers.txt", "TShips.txt"}));
        trigger(shown, "DirBar");
        EXPECT_EQ(listed(shown).size(), 4);
        open(shown, "types");
        open(shown, "sub");
        chooseDir(shown, 0);
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")), QStringList{"data.cat"});
        // A single click on a folder leaves the name; on a file it takes it.
        emit control<QListWidget>(shown, "FileView")->itemClicked(item(shown, "t"));
        EXPECT_EQ(control<QComboBox>(shown, "cmbFileName")->currentText(), "");
        open(shown, "t");
        emit control<QListWidget>(shown, "FileView")->itemClicked(item(shown, "0002.pck"));
        EXPECT_EQ(control<QComboBox>(shown, "cmbFileName")->currentText(), "0002.pck");
        open(shown, "0001.xml");
    });
    EXPECT_EQ(dialog.ModalResult(), frmCATDialog::kChosen);
    EXPECT_EQ(dialog.FileName, catalog + "::t\\0001.xml");
}

TEST_F(CatalogDialog, EnterOpensTheHighlightedEntryAndNothingElse) {
    show(false, [&](frmCATDialog& shown) {
        auto* view = control<QListWidget>(shown, "FileView");
        // A folder clicked and then left: Enter presses Open on the empty name.
        testsupport::ClickRow(view, item(shown, "t"));
        testsupport::ClickBesideRows(view);
        testsupport::PressKey(view, Qt::Key_Return);
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")), QStringList{"data.cat"});
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages().back().text, "Please enter a file name.");

        // On a highlighted folder Enter goes in, and presses no button.
        testsupport::ClickRow(view, item(shown, "t"));
        testsupport::PressKey(view, Qt::Key_Return);
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")), (QStringList{"data.cat", "    t"}));
        EXPECT_EQ(prompts.messages().size(), 1u);
        testsupport::ClickRow(view, item(shown, "0002.pck"));
        testsupport::PressKey(view, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ModalResult(), frmCATDialog::kChosen);
    EXPECT_EQ(dialog.FileName, catalog + "::t\\0002.pck");
    EXPECT_EQ(prompts.messages().size(), 1u);
}

TEST_F(CatalogDialog, FilterIndexSelectsItsPairOrTheFirst) {
    const std::vector<std::pair<int, int>> cases = {{2, 1}, {0, 0}, {3, 0}, {-1, 0}};
    for (const auto& [index, selected] : cases) {
        frmCATDialog picker;
        picker.filter = "One (*.*)|*.*|Two (*.*)|*.*";
        picker.FilterIndex = index;
        dialogs.answerAs<frmCATDialog>([&, selected = selected](frmCATDialog& shown) {
            auto* filters = control<QComboBox>(shown, "cmbFilter");
            EXPECT_EQ(texts(filters), (QStringList{"One (*.*)", "Two (*.*)"})) << index;
            EXPECT_EQ(listed(shown).size(), 4) << index;
            EXPECT_EQ(filters->currentIndex(), selected) << index;
            // Double-clicking a file leaves FilterIndex as it came in.
            open(shown, "lang.xml");
        });
        picker.ShowOpen(catalog);
        EXPECT_EQ(picker.FilterIndex, index == 0 ? 1 : index) << index;
        EXPECT_EQ(picker.FileName, catalog + "::lang.xml");
    }
}

TEST_F(CatalogDialog, APatternFiltersFilesButNeverHidesFolders) {
    dialog.filter = kXmlFilter + "|All Files (*.*)|*.*";
    dialog.FilterIndex = 1;
    show(false, [&](frmCATDialog& shown) {
        EXPECT_EQ(listed(shown), (QStringList{"t\\", "types\\", "lang.xml"}));
        auto* filters = control<QComboBox>(shown, "cmbFilter");
        filters->setCurrentIndex(1);
        emit filters->activated(1);
        EXPECT_EQ(listed(shown), (QStringList{"t\\", "types\\"}));
        open(shown, "t");
        EXPECT_EQ(listed(shown), QStringList{"0002.pck"});
        filters->setCurrentIndex(2);
        emit filters->activated(2);
        EXPECT_EQ(listed(shown), (QStringList{"0001.xml", "0002.pck"}));
        press(shown, "btnCancel");
    });
    EXPECT_EQ(dialog.ModalResult(), frmCATDialog::kCancelled);
    EXPECT_EQ(dialog.FileName, "");
}

TEST_F(CatalogDialog, OpenRefusesAMissingFileAndEntersATypedFolder) {
    show(false, [&](frmCATDialog& shown) {
        typeName(shown, "nothere.txt");
        press(shown, "btnOK");
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages()[0].text, "File nothere.txt does not exist.");
        EXPECT_EQ(prompts.messages()[0].icon, PromptIcon::Exclamation);
        EXPECT_TRUE(shown.isVisible());

        typeName(shown, "TYPES");
        press(shown, "btnOK");
        EXPECT_TRUE(shown.isVisible());
        EXPECT_EQ(listed(shown), (QStringList{"sub\\", "TLasers.txt", "TShips.txt"}));
        EXPECT_EQ(control<QComboBox>(shown, "cmbFileName")->currentText(), "");

        // A folder's name with an extension is no folder.
        typeName(shown, "sub.txt");
        press(shown, "btnOK");
        EXPECT_EQ(prompts.messages().size(), 2u);
        typeName(shown, "sub/deep.xml");
        press(shown, "btnOK");
    });
    EXPECT_EQ(dialog.ModalResult(), frmCATDialog::kChosen);
    EXPECT_EQ(dialog.FileName, catalog + "::types\\sub\\deep.xml");
}

TEST_F(CatalogDialog, UnsafeOrEmptyNamesAreRefusedInBothModes) {
    const QStringList refused = {"",
                                 "   ",
                                 "types\\   ",
                                 "..\\secret.txt",
                                 "types\\..\\x.txt",
                                 "\\readme.txt",
                                 "types\\",
                                 "types\\\\TShips.txt",
                                 ".",
                                 "*.txt"};
    for (const bool save : {false, true}) {
        frmCATDialog picker;
        picker.filter = kXmlFilter;
        dialogs.answerAs<frmCATDialog>([&](frmCATDialog& shown) {
            for (const QString& name : refused) {
                const std::size_t before = prompts.messages().size();
                typeName(shown, name);
                press(shown, "btnOK");
                ASSERT_EQ(prompts.messages().size(), before + 1) << name.toStdString();
                EXPECT_EQ(prompts.messages().back().icon, PromptIcon::Exclamation);
                EXPECT_TRUE(shown.isVisible()) << name.toStdString();
            }
        });
        save ? picker.ShowSave(catalog) : picker.ShowOpen(catalog);
        EXPECT_EQ(picker.ModalResult(), frmCATDialog::kWindowClosed);
        EXPECT_EQ(picker.FileName, "");
    }
    // Blanks alone are no name, in a folder too.
    EXPECT_EQ(prompts.messages()[0].text, "Please enter a file name.");
    EXPECT_EQ(prompts.messages()[1].text, "Please enter a file name.");
    EXPECT_TRUE(prompts.messages()[2].text.contains("empty folder name"));
    EXPECT_TRUE(prompts.messages()[3].text.contains("..\\secret.txt"));
}

TEST_F(CatalogDialog, SaveCaptionsAndTheSelectedExtension) {
    dialog.filter = kXmlFilter;
    dialog.FilterIndex = 2;
    dialog.FileName = "t\\";
    show(true, [&](frmCATDialog& shown) {
        EXPECT_EQ(control<QLabel>(shown, "lblCaption")->text(), "Save As");
        EXPECT_EQ(control<QLabel>(shown, "lblFilter")->text(), "Save as type");
        EXPECT_EQ(control<QPushButton>(shown, "btnOK")->text(), "Save");
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbDir")), QStringList{"data.cat"});
        open(shown, "t");
        typeName(shown, "0003");
        press(shown, "btnOK");
    });
    EXPECT_EQ(dialog.ModalResult(), frmCATDialog::kChosen);
    EXPECT_EQ(dialog.FileName, catalog + "::t\\0003.pck");
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(CatalogDialog, SaveKeepsAGivenExtensionAndAddsNoLoneDot) {
    const std::vector<std::tuple<QString, QString, QString>> cases = {
        {kXmlFilter, "lang.xml", "lang.xml"},
        {kXmlFilter, "notes.txt", "notes.txt"},
        {"All Files (*.*)|*.*", "plain", "plain"},
        {"", "plain", "plain"}};
    for (const auto& [filterText, typed, chosen] : cases) {
        frmCATDialog picker;
        picker.filter = filterText;
        dialogs.answerAs<frmCATDialog>([&, typed = typed](frmCATDialog& shown) {
            typeName(shown, typed);
            press(shown, "btnOK");
        });
        picker.ShowSave(catalog);
        EXPECT_EQ(picker.ModalResult(), frmCATDialog::kChosen) << typed.toStdString();
        EXPECT_EQ(picker.FileName, catalog + "::" + chosen);
    }
}

TEST_F(CatalogDialog, LeavingCancellingAndClosingGiveTheirResults) {
    const std::vector<std::pair<std::function<void(frmCATDialog&)>, int>> cases = {
        {[](frmCATDialog& shown) { trigger(shown, "CloseBar"); }, frmCATDialog::kLeaveCatalog},
        {[](frmCATDialog& shown) { press(shown, "btnCancel"); }, frmCATDialog::kCancelled},
        {[](frmCATDialog& shown) { shown.close(); }, frmCATDialog::kWindowClosed}};
    for (const auto& [step, result] : cases) {
        frmCATDialog picker;
        picker.FileName = "readme.txt";
        dialogs.answerAs<frmCATDialog>(step);
        picker.ShowOpen(catalog);
        EXPECT_EQ(picker.ModalResult(), result);
        EXPECT_EQ(picker.FileName, "");
        EXPECT_FALSE(picker.isVisible());
    }
}

TEST_F(CatalogDialog, ACatalogThatCannotBeOpenedIsToldAndLeadsOut) {
    const QString missing = catalogFolder() + "/missing.cat";
    testsupport::writeFile(testsupport::dataDir() / "mods" / "broken.cat", "no size here\n");
    testsupport::writeFile(testsupport::dataDir() / "mods" / "broken.dat", "");
    for (const QString& path : {missing, catalogFolder() + "/broken.cat"}) {
        frmCATDialog picker;
        picker.FileName = "readme.txt";
        picker.ShowOpen(path);
        EXPECT_EQ(picker.ModalResult(), frmCATDialog::kLeaveCatalog);
        EXPECT_EQ(picker.FileName, "");
        ASSERT_FALSE(prompts.messages().empty());
        const auto message = prompts.messages().back();
        EXPECT_TRUE(message.text.startsWith("Error opening file " + path + ":\n\n"))
            << message.text.toStdString();
        EXPECT_GT(message.text.size(), ("Error opening file " + path + ":\n\n").size());
        EXPECT_EQ(message.icon, PromptIcon::None);
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    // The dialog is still usable for a good catalog.
    frmCATDialog picker;
    picker.FileName = "readme.txt";
    dialogs.answer([](QDialog& shown) { press(shown, "btnOK"); });
    picker.ShowOpen(catalog);
    EXPECT_EQ(picker.FileName, catalog + "::readme.txt");
}
