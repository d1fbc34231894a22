#include "gamefiles/widgets/ZorvFileDialog.h"

#include "CatalogFixture.h"
#include "platform/ScriptedPrompts.h"
#include "platform/widgets/DialogRunner.h"
#include "platform/widgets/QtPrompts.h"
#include "support/Eventually.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace cattest;
using platform::ScriptedPrompts;

namespace {

const QString kSaveFilter = "Zorv Resource Files - plain (*.xml)|*.xml|"
                            "Zorv Resource Files - packed (*.pck)|*.pck";

class FileDialog : public CatalogTest {
protected:
    std::vector<ScriptedPrompts::Question> choosers() const {
        std::vector<ScriptedPrompts::Question> files;
        for (const auto& question : prompts.asked())
            if (question.kind == ScriptedPrompts::Kind::File)
                files.push_back(question);
        return files;
    }

    ZorvFileDialog dialog;
};

} // namespace

TEST_F(FileDialog, FilterIndexForExtension) {
    const std::vector<std::tuple<QString, int, int>> cases = {{"/mods/lang.pck", 1, 2},
                                                              {"/mods/lang.xml", 2, 1},
                                                              {"/mods/lang.PCK", 1, 0},
                                                              {"/mods/lang", 1, 0},
                                                              {"", 2, 2},
                                                              {"data.cat::t\\0003.pck", 1, 2}};
    for (const auto& [name, index, expected] : cases) {
        dialog.FileName = name;
        dialog.FilterIndex = static_cast<int16_t>(index);
        EXPECT_EQ(dialog.FilterIndexForExtension(kSaveFilter), expected) << name.toStdString();
    }
    EXPECT_TRUE(ZorvFileDialog::IsCatalogPath("/mods/DATA.CAT"));
    EXPECT_TRUE(ZorvFileDialog::IsCatalogPath("/mods/data.cat::types\\TShips.txt"));
    EXPECT_FALSE(ZorvFileDialog::IsCatalogPath("/mods/data.cat.txt"));
    EXPECT_FALSE(ZorvFileDialog::IsCatalogPath("/mods.cat/TShips.txt"));
}

TEST_F(FileDialog, OpenHandsThePropertiesToTheChooserAndTakesItsChoice) {
    dialog.filter = "Zorv T files (*.txt;*.pck)|*.txt;*.pck|All Files (*.*)|*.*";
    dialog.FilterIndex = 2;
    dialog.InitDir = "/games/zorv";
    dialog.FileName = "TShips.txt";
    prompts.answerFile("/games/zorv/types/TLasers.txt", 1);
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_TRUE(dialog.ModalResult);
    EXPECT_EQ(dialog.FileName, "/games/zorv/types/TLasers.txt");
    EXPECT_EQ(dialog.FilterIndex, 1);
    ASSERT_EQ(choosers().size(), 1u);
    const platform::FileChoice asked = choosers()[0].file;
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.title, "Open");
    EXPECT_EQ(asked.filter, dialog.filter);
    EXPECT_EQ(asked.filterIndex, 2);
    EXPECT_EQ(asked.initDir, "/games/zorv");
    EXPECT_EQ(asked.fileName, "TShips.txt");

    // The default title stays once filled in, and a cancel is quiet.
    EXPECT_FALSE(dialog.ShowSave());
    EXPECT_FALSE(dialog.ModalResult);
    EXPECT_EQ(choosers().back().file.title, "Open");
    EXPECT_TRUE(choosers().back().file.save);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(FileDialog, SavePreselectsThePairOfTheNamesExtension) {
    dialog.filter = kSaveFilter;
    dialog.FileName = "/mods/lang.pck";
    prompts.answerFile("/mods/lang2.xml", 1);
    EXPECT_TRUE(dialog.ShowSave());
    EXPECT_EQ(choosers()[0].file.title, "Save");
    EXPECT_EQ(choosers()[0].file.filterIndex, 2);
    EXPECT_EQ(dialog.FileName, "/mods/lang2.xml");
    EXPECT_EQ(dialog.FilterIndex, 1);
}

TEST_F(FileDialog, ACatalogChosenInTheChooserOpensInTheCatalogDialog) {
    dialog.filter = "Zorv T files (*.txt;*.pck;*.cat)|*.txt;*.pck;*.cat";
    prompts.answerFile(catalog, 1);
    dialogs.answer([](QDialog& shown) {
        EXPECT_EQ(texts(control<QComboBox>(shown, "cmbFilter")), QStringList{"All Files (*.*)"});
        open(shown, "types");
        open(shown, "TShips.txt");
    });
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName, catalog + "::types\\TShips.txt");
    EXPECT_EQ(dialogs.shown(), QStringList{"frmCATDialog"});
}

TEST_F(FileDialog, ACatalogPathOpensOnItsFolderAndLeavingItGoesBackToTheChooser) {
    QString uppercase = catalog;
    uppercase.replace("data.cat", "DATA.CAT");
    testsupport::writeFile(testsupport::dataDir() / "mods" / "DATA.CAT",
                           testsupport::readFile(catalog.toStdString()));
    testsupport::writeFile(testsupport::dataDir() / "mods" / "DATA.DAT",
                           testsupport::readFile((catalogFolder() + "/data.dat").toStdString()));
    dialog.FileName = uppercase + "::types\\TShips.txt";
    dialog.DialogTitle = "Open T-file";
    dialogs.answer([&](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Catalog " + uppercase + " - Open T-file");
        EXPECT_EQ(control<QComboBox>(shown, "cmbDir")->currentText(), "    types");
        EXPECT_EQ(control<QComboBox>(shown, "cmbFileName")->currentText(), "TShips.txt");
        trigger(shown, "CloseBar");
    });
    prompts.answerFile("/mods/TShips.txt", 1);
    EXPECT_TRUE(dialog.ShowOpen());
    ASSERT_EQ(choosers().size(), 1u);
    EXPECT_EQ(choosers()[0].file.initDir, catalogFolder());
    EXPECT_EQ(choosers()[0].file.fileName, "");
    EXPECT_EQ(dialog.InitDir, catalogFolder());
    EXPECT_EQ(dialog.FileName, "/mods/TShips.txt");
}

TEST_F(FileDialog, SaveIntoACatalogUsesTheOwnFilter) {
    dialog.filter = kSaveFilter;
    dialog.FileName = catalog + "::t\\0002.pck";
    dialogs.answer([](QDialog& shown) {
        auto* filters = control<QComboBox>(shown, "cmbFilter");
        EXPECT_EQ(filters->count(), 2);
        EXPECT_EQ(filters->currentIndex(), 1);
        EXPECT_EQ(control<QLabel>(shown, "lblCaption")->text(), "Save As");
        typeName(shown, "0004");
        press(shown, "btnOK");
    });
    EXPECT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName, catalog + "::t\\0004.pck");
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(FileDialog, ACatalogChosenInTheSaveChooserContinuesInSaveMode) {
    dialog.filter = kSaveFilter + "|Catalogs (*.cat)|*.cat";
    dialog.FileName = "/mods/lang.xml";
    prompts.answerFile(catalog, 3);
    dialogs.answer([](QDialog& shown) {
        EXPECT_EQ(control<QPushButton>(shown, "btnOK")->text(), "Save");
        EXPECT_EQ(control<QComboBox>(shown, "cmbFilter")->currentIndex(), 2);
        typeName(shown, "lang.xml");
        press(shown, "btnOK");
    });
    EXPECT_TRUE(dialog.ShowSave());
    EXPECT_EQ(choosers()[0].file.filterIndex, 1);
    EXPECT_EQ(dialog.FileName, catalog + "::lang.xml");
    EXPECT_EQ(dialog.FilterIndex, 3);
}

TEST_F(FileDialog, CancelInTheCatalogDialogIsQuiet) {
    dialog.FileName = catalog;
    dialogs.answer([](QDialog& shown) { press(shown, "btnCancel"); });
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(dialog.FileName, catalog);
}

TEST_F(FileDialog, AMissingCatalogIsToldAndTheChooserOpensInItsFolder) {
    dialog.FileName = catalogFolder() + "/missing.cat::t\\0001.xml";
    EXPECT_FALSE(dialog.ShowOpen());
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.startsWith("Error opening file "));
    ASSERT_EQ(choosers().size(), 1u);
    EXPECT_EQ(choosers()[0].file.initDir, catalogFolder());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// The program's own chooser, as a person meets it.
TEST_F(FileDialog, TheChooserShowsEachFilterOnceAndAllFilesListsEveryFile) {
    const auto folder = testsupport::dataDir() / "plain";
    testsupport::writeFile(folder / "README", "no extension");
    testsupport::writeFile(folder / "TShips.txt", "3;0;\n");
    platform::QtPrompts qt;
    platform::ScopedPrompts real{qt};
    dialog.filter = "Zorv T files (*.txt; *.pck; *.cat)|*.txt;*.pck;*.cat|Zorv Catalogs "
                    "(*.cat)|*.cat|All files (*.*)|*.*";
    dialog.InitDir = QString::fromStdString(folder.string());
    dialog.FilterIndex = 2;
    QStringList labels;
    int preselected = -1;
    bool listed = false;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(chooser);
        const auto closeAtEnd = qScopeGuard([chooser] {
            if (chooser->isVisible())
                chooser->reject();
        });
        auto* types = chooser->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_TRUE(types);
        for (int i = 0; i < types->count(); ++i)
            labels << types->itemText(i);
        preselected = types->currentIndex();
        types->setCurrentIndex(2);
        emit types->activated(2);
        const auto* view = chooser->findChild<QListView*>("listView");
        ASSERT_TRUE(view);
        // The folder is read in the background.
        listed = testsupport::Eventually([view] {
            const QModelIndex first = view->model()->index(0, 0, view->rootIndex());
            return !view->model()->match(first, Qt::DisplayRole, "README").isEmpty();
        });
        if (!listed)
            return;
        QTest::keyClicks(chooser->findChild<QLineEdit*>("fileNameEdit"), "README");
        chooser->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
    });
    const bool chosen = dialog.ShowOpen();
    EXPECT_EQ(labels, (QStringList{"Zorv T files (*.txt; *.pck; *.cat)", "Zorv Catalogs (*.cat)",
                                   "All files (*.*)"}));
    EXPECT_EQ(preselected, 1);
    EXPECT_TRUE(listed);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(dialog.FileName, QString::fromStdString((folder / "README").string()));
    EXPECT_EQ(dialog.FilterIndex, 3);
}
