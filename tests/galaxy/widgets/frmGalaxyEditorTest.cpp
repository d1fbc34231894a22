#include "GalaxyWidgetsTestSupport.h"

#include "common/mdlCommonGlobals.h"
#include "common/widgets/RecentFilesMenu.h"
#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "galaxy/widgets/frmNewGalObject.h"
#include "galaxy/widgets/ucGalObject.h"
#include "platform/widgets/DialogRunner.h"
#include "shell/widgets/frmFind.h"
#include "shell/widgets/frmText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

using namespace galaxytest;

namespace {

using Strings = std::vector<std::string>;
using GalaxyEditorRoles::kIconRole;
using GalaxyEditorRoles::kKeyRole;

std::string KeyOf(const QTreeWidgetItem* node) {
    return Text(node->data(0, kKeyRole).toString());
}

Strings Labels(const QTreeWidgetItem* node) {
    Strings labels;
    for (int i = 0; i < node->childCount(); ++i)
        labels.push_back(Text(node->child(i)->text(0)));
    return labels;
}

bool IsGrey(const QTreeWidgetItem* node) {
    return node->data(0, Qt::ForegroundRole).isValid();
}

class frmGalaxyEditorTest : public GalaxyWindowTest {
protected:
    void Open(const std::string& xml, const std::string& name = "map.xml") {
        path = WriteMap(xml, name);
        QString chosen = path;
        editor.OpenFile(chosen);
    }
    QTreeWidgetItem* Top(int index) const { return editor.Tree->topLevelItem(index); }
    Ptr Object(const QTreeWidgetItem* node) const {
        return editor.Document().parser()->objects.find(node->data(0, kKeyRole).toString());
    }
    void Select(QTreeWidgetItem* node) {
        editor.Tree->setCurrentItem(node);
        ASSERT_EQ(editor.SelectedObject(), Object(node));
    }
    // A click as the mouse makes it: the press changes the current node
    // before the selection.
    void Click(QTreeWidgetItem* node) {
        editor.Tree->scrollToItem(node);
        QTest::mouseClick(editor.Tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          editor.Tree->visualItemRect(node).center());
    }
    // The name options set as the person does, by clicking the boxes that
    // differ; each click relabels the tree.
    void Filter(bool name, bool type, bool id) {
        const bool wanted[] = {name, type, id};
        for (int i = 0; i < 3; ++i) {
            QCheckBox* box = editor.chkNameFilter[i];
            if (box->isChecked() != wanted[i])
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier,
                                  QPoint(8, box->height() / 2));
            ASSERT_EQ(box->isChecked(), wanted[i]) << "name option " << i;
        }
    }

    frmGalaxyEditor editor;
    QString path;
};

TEST_F(frmGalaxyEditorTest, OpeningShowsTheSectorsUnread) {
    Open(kTwoSectors);
    ASSERT_EQ(editor.Tree->topLevelItemCount(), 2);
    QTreeWidgetItem* first = Top(0);
    EXPECT_EQ(KeyOf(first), "1k");
    EXPECT_TRUE(IsGrey(first));
    EXPECT_EQ(Text(first->data(0, kIconRole).toString()), "sector_noload");
    ASSERT_EQ(first->childCount(), 1);
    EXPECT_EQ(KeyOf(first->child(0)), "1dummy");
    EXPECT_EQ(Text(first->child(0)->text(0)), "not loaded");
    EXPECT_EQ(KeyOf(Top(1)->child(0)), "2dummy");
    EXPECT_EQ(Text(editor.StatusPanel->text()), "2 sectors");
    EXPECT_EQ(Text(editor.windowTitle()), "Ruvaze Rezivo [" + Text(path) + "]");
    EXPECT_EQ(editor.SelectedObject(), Object(first));
    EXPECT_EQ(Text(editor.lblObjectName->text()), "Sector - [string 7:1020101]");
    EXPECT_EQ(editor.RecentMaps(), QStringList{path});

    editor.Tree->expandItem(first);
    EXPECT_FALSE(IsGrey(first));
    EXPECT_EQ(Text(first->data(0, kIconRole).toString()), "sector");
    EXPECT_EQ(first->childCount(), 5);
    EXPECT_EQ(Text(first->child(0)->data(0, kIconRole).toString()), "background");
    EXPECT_FALSE(editor.Modified());

    // Placeholder keys keep counting over new fills of the tree.
    editor.FillTree();
    EXPECT_EQ(KeyOf(Top(1)->child(0)), "3dummy");
}

TEST_F(frmGalaxyEditorTest, LabelsFollowTheNameOptions) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    EXPECT_EQ(Text(Top(0)->text(0)), "[string 7:1020101]");
    Filter(true, true, true);
    EXPECT_EQ(Text(Top(0)->text(0)), "[Sector] - 00, 00 - [string 7:1020101]");
    EXPECT_EQ(Labels(Top(0))[0], "[Background] - [object t=2 s=0] - Background");
    Filter(false, false, true);
    EXPECT_EQ(Labels(Top(0))[0], "[object t=2 s=0]");
    EXPECT_EQ(Text(Top(1)->child(0)->text(0)), "not loaded");
    Filter(false, true, false);
    EXPECT_EQ(Text(Top(0)->text(0)), "[Sector]");
    Filter(false, false, false);
    EXPECT_EQ(Text(Top(0)->text(0)), "");

    testsupport::writeFile(
        testsupport::dataDir() / "t" / "440001.xml",
        R"(<language id="44"><page id="7"><t id="1020101">Home Reach</t></page></language>)");
    UseDataFolder();
    ASSERT_TRUE(DescServer().LoadResources(44));
    Filter(true, false, true);
    editor.RelabelTree();
    EXPECT_EQ(Text(Top(0)->text(0)), "00, 00 - Home Reach");
}

// Objects of one type and subtype show the same texts, unless one has a
// name of its own, under every name option; relabelling shows the texts as
// they are now.
TEST_F(frmGalaxyEditorTest, LabelsOfObjectsOfOneKind) {
    const auto data = testsupport::dataDir();
    const auto writeTexts = [&](const std::string& name, const std::string& id) {
        testsupport::writeFile(data / "t" / "440001.xml",
                               R"(<language id="44"><page id="17"><t id="100">)" + name +
                                   R"(</t><t id="2500">Old Relay</t></page></language>)");
        testsupport::writeFile(data / "types" / "TShips.txt",
                               "1;1;\n0;0;0;0;0;0;100;" + id + ";\n");
    };
    writeTexts("Courier", "SS_SH_COURIER");
    UseDataFolder();
    ASSERT_TRUE(DescServer().LoadResources(44));
    Open(R"(<universe><o t="1"><o t="7" s="0"/><o t="7" s="0" n="2500"/><o t="7" s="0"/>)"
         R"(</o></universe>)");
    editor.Tree->expandItem(Top(0));
    const struct {
        bool name, type, id;
        const char* ofKind;
        const char* ownName;
    } options[] = {
        {false, false, false, "", ""},
        {true, false, false, "Courier", "Old Relay"},
        {false, true, false, "[Ship]", "[Ship]"},
        {true, true, false, "[Ship] - Courier", "[Ship] - Old Relay"},
        {false, false, true, "SS_SH_COURIER", "SS_SH_COURIER"},
        {true, false, true, "SS_SH_COURIER - Courier", "SS_SH_COURIER - Old Relay"},
        {false, true, true, "[Ship] - SS_SH_COURIER", "[Ship] - SS_SH_COURIER"},
        {true, true, true, "[Ship] - SS_SH_COURIER - Courier",
         "[Ship] - SS_SH_COURIER - Old Relay"},
    };
    for (const auto& option : options) {
        Filter(option.name, option.type, option.id);
        EXPECT_EQ(Labels(Top(0)), (Strings{option.ofKind, option.ownName, option.ofKind}));
    }
    // Nodes that share a label still stand for their own objects.
    const Ptr first = Object(Top(0)->child(0));
    const Ptr last = Object(Top(0)->child(2));
    ASSERT_NE(first, last);
    Click(Top(0)->child(2));
    EXPECT_EQ(editor.SelectedObject(), last);
    Click(Top(0)->child(0));
    EXPECT_EQ(editor.SelectedObject(), first);

    Filter(true, false, true);
    writeTexts("Runner", "SS_SH_RUNNER");
    ASSERT_TRUE(DescServer().LoadResources(44));
    editor.RelabelTree();
    EXPECT_EQ(Labels(Top(0)), (Strings{"SS_SH_COURIER - Runner", "SS_SH_COURIER - Old Relay",
                                       "SS_SH_COURIER - Runner"}));
    CreateArchive();
    editor.RelabelTree();
    EXPECT_EQ(Labels(Top(0)), (Strings{"SS_SH_RUNNER - Runner", "SS_SH_RUNNER - Old Relay",
                                       "SS_SH_RUNNER - Runner"}));
}

TEST_F(frmGalaxyEditorTest, ANewMapWithOneSectorSaves) {
    editor.NewMap();
    EXPECT_EQ(Text(editor.windowTitle()), "Ruvaze Rezivo [New Map File] *");
    EXPECT_EQ(Text(editor.StatusPanel->text()), "0 sectors");
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmNewGalObject>([](frmNewGalObject& dialog) {
        EXPECT_EQ(Text(dialog.cmbType->currentText()), "Sector");
        dialog.btnOK->click();
    });
    editor.AddNewObject(true);
    ASSERT_EQ(editor.Tree->topLevelItemCount(), 1);
    EXPECT_EQ(KeyOf(Top(0)), "1k");
    EXPECT_EQ(Labels(Top(0)), Strings{"Background"});
    EXPECT_TRUE(Messages().empty()) << Messages().front();

    prompts.answerFile(PathOf("new.xml"), 1);
    ASSERT_TRUE(editor.SaveMapAs());
    EXPECT_EQ(testsupport::readFile(testsupport::dataDir() / "new.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<universe xmlns=\"XUNIVERS.xsd\">\n"
              "  <o t=\"1\" r=\"1\" x=\"0\" y=\"0\" color=\"0\" ff=\"0\" fc=\"0\" fn=\"0\">\n"
              "    <o t=\"2\" s=\"0\"/>\n"
              "  </o>\n"
              "</universe>\n");
    EXPECT_EQ(Text(editor.windowTitle()), "Ruvaze Rezivo [" + Text(PathOf("new.xml")) + "]");
}

TEST_F(frmGalaxyEditorTest, AFactoryComesWithItsDefaults) {
    Open(kTwoSectors);
    Select(Top(1));
    platform::ScriptedDialogs dialogs;
    dialogs.answerAs<frmNewGalObject>([](frmNewGalObject& dialog) {
        EXPECT_EQ(dialog.cmbType->findData(1), -1);
        dialog.cmbType->setCurrentIndex(dialog.cmbType->findData(6));
        emit dialog.cmbType->activated(dialog.cmbType->currentIndex());
        dialog.SubtypeEdit->setText("0");
        dialog.btnOK->click();
    });
    editor.AddNewObject(false);
    QTreeWidgetItem* sector = Top(1);
    EXPECT_FALSE(IsGrey(sector));
    ASSERT_EQ(sector->childCount(), 3);
    QTreeWidgetItem* factory = sector->child(2);
    std::string names;
    for (const auto& property : Object(factory)->NewEnum())
        Append(names, Text(property->Name));
    EXPECT_EQ(names, "s t r x y z a b g");
    EXPECT_EQ(Labels(factory), (Strings{"Primary resources", "Product", "Docked ships"}));
    EXPECT_EQ(Text(factory->data(0, kIconRole).toString()), "factory");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(Text(editor.windowTitle()), "Ruvaze Rezivo [" + Text(path) + "] *");
}

TEST_F(frmGalaxyEditorTest, PasteAndMoveRefusals) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    QTreeWidgetItem* planet = Top(0)->child(2);
    ASSERT_EQ(Object(planet)->otype(), 4);
    Select(planet);
    editor.mnuPopCopy->trigger();
    Select(Top(0));
    editor.PasteObject();
    editor.SetCopiedObject(Object(Top(0)));
    Select(planet);
    editor.PasteObject();
    EXPECT_EQ(Messages(), (Strings{"Cannot paste non-sector object as siblink of sector.",
                                   "Cannot paste sector as a child."}));
    EXPECT_EQ(Text(prompts.messages().front().title), "Ruvaze Rezivo");
    EXPECT_FALSE(editor.Modified());

    EXPECT_EQ(Text(editor.DragOverIcon(Top(0), planet, false)), "nop");
    EXPECT_EQ(Text(editor.DragOverIcon(Top(0), Top(1), true)), "nop");
    EXPECT_EQ(Text(editor.DragOverIcon(Top(0), Top(1), false)), "movesiblink");
    EXPECT_EQ(Text(editor.DragOverIcon(planet, Top(0)->child(1), true)), "moveparent");
    EXPECT_EQ(Text(editor.DragOverIcon(planet, Top(1)->child(0), false)), "nop");
    EXPECT_FALSE(editor.MoveDraggedNode(planet, Top(1)->child(0), false));
    EXPECT_EQ(Messages().back(), "Moved node or target node not found in parser.");
}

TEST_F(frmGalaxyEditorTest, MovingAndPastingInTheTree) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    QTreeWidgetItem* planet = Top(0)->child(2);
    const Ptr moved = Object(planet);
    ASSERT_TRUE(editor.MoveDraggedNode(planet, Top(0)->child(1), true));
    QTreeWidgetItem* gate = Top(0)->child(1);
    ASSERT_EQ(gate->childCount(), 1);
    EXPECT_EQ(Object(gate->child(0)), moved);
    EXPECT_EQ(editor.Tree->currentItem(), gate->child(0));
    EXPECT_TRUE(editor.Modified());

    // An unread sector moved before another keeps its placeholder.
    const Ptr second = Object(Top(1));
    ASSERT_TRUE(editor.MoveDraggedNode(Top(1), Top(0), false));
    EXPECT_EQ(Object(Top(0)), second);
    EXPECT_EQ(editor.Document().parser()->Sectors.at(1), second);
    EXPECT_TRUE(IsGrey(Top(0)));
    EXPECT_EQ(Labels(Top(0)), Strings{"not loaded"});

    // A sector pasted beside a sector stands before it with new IDs.
    editor.SetCopiedObject(Object(Top(0)));
    Select(Top(1));
    editor.PasteObject();
    EXPECT_TRUE(Messages().empty()) << Messages().front();
    ASSERT_EQ(editor.Tree->topLevelItemCount(), 3);
    EXPECT_EQ(editor.Document().parser()->Sectors.count(), 3);
    EXPECT_EQ(Text(editor.StatusPanel->text()), "2 sectors");
}

// Relabelling finds each node where the tree keeps it, also after nodes
// were moved and pasted.
TEST_F(frmGalaxyEditorTest, RelabellingReachesEveryNodeAfterMovesAndPastes) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    ASSERT_TRUE(editor.MoveDraggedNode(Top(0)->child(2), Top(0)->child(1), true));
    ASSERT_TRUE(editor.MoveDraggedNode(Top(1), Top(0), false));
    editor.SetCopiedObject(Object(Top(1)->child(0)));
    Select(Top(1)->child(1));
    editor.PasteObject();
    editor.SetCopiedObject(Object(Top(1)));
    Select(Top(0));
    editor.PasteObject();
    ASSERT_TRUE(Messages().empty()) << Messages().front();
    ASSERT_EQ(editor.Tree->topLevelItemCount(), 3);
    Filter(false, true, false);
    int nodes = 0;
    for (QTreeWidgetItemIterator it(editor.Tree); *it; ++it) {
        const Ptr object = Object(*it);
        const std::string shown = Text((*it)->text(0));
        EXPECT_EQ(shown, object ? "[" + Text(object->ObjectTypeName()) + "]" : "not loaded");
        nodes += object ? 1 : 0;
    }
    EXPECT_GT(nodes, 20);
}

TEST_F(frmGalaxyEditorTest, DeletingAsksFirst) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    QTreeWidgetItem* planet = Top(0)->child(2);
    const Ptr object = Object(planet);
    Select(planet);
    prompts.answer(platform::PromptAnswer::No);
    editor.DeleteSelectedObject();
    EXPECT_EQ(Top(0)->childCount(), 5);
    prompts.answer(platform::PromptAnswer::Yes);
    editor.DeleteSelectedObject();
    EXPECT_EQ(Messages(),
              (Strings{"Do you really want to delete selected object [object t=4 s=1] ([object "
                       "t=4 s=1]) ?",
                       "Do you really want to delete selected object [object t=4 s=1] ([object "
                       "t=4 s=1]) ?"}));
    EXPECT_EQ(Top(0)->childCount(), 4);
    EXPECT_EQ(editor.Node(object->Key()), nullptr);
    EXPECT_NE(editor.SelectedObject(), object);
    EXPECT_EQ(editor.SelectedObject(), Object(editor.Tree->currentItem()));
    EXPECT_TRUE(editor.Modified());
}

TEST_F(frmGalaxyEditorTest, AClickShowsTheClickedNodeAndOneBesideTheNodesShowsNothing) {
    Open(kTwoSectors);
    editor.show();
    editor.Tree->expandItem(Top(0));
    QTreeWidgetItem* planet = Top(0)->child(2);
    Click(planet);
    EXPECT_EQ(editor.SelectedObject(), Object(planet));
    EXPECT_EQ(editor.ObjectEdit->Object(), Object(planet));
    Click(Top(1));
    EXPECT_EQ(editor.ObjectEdit->Object(), Object(Top(1)));
    EXPECT_EQ(Text(editor.lblObjectName->text()), "Sector - [string 7:1020102]");

    // Below the last node: the highlight goes, and with it what is shown.
    const QRect last = editor.Tree->visualItemRect(Top(1));
    ASSERT_LT(last.bottom() + 20, editor.Tree->viewport()->height());
    QTest::mouseClick(editor.Tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(last.center().x(), last.bottom() + 20));
    ASSERT_TRUE(editor.Tree->selectedItems().isEmpty());
    EXPECT_EQ(editor.SelectedObject(), nullptr);
    EXPECT_EQ(editor.ObjectEdit->Object(), nullptr);
    EXPECT_EQ(Text(editor.lblObjectName->text()), "");
    // No command acts on the sector clicked before.
    QTest::keyClick(editor.Tree, Qt::Key_Delete);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(editor.Tree->topLevelItemCount(), 2);
    QString text = "[string";
    QVariant position;
    bool found = true;
    editor.ShowFindWindow();
    emit editor.FindWindow()->OnFindNext(false, false, text, position, found);
    EXPECT_FALSE(found) << "a search starts at the selected node";
    editor.FindWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(frmGalaxyEditorTest, PasteAfterTheCopiedObjectsSectorWasDeleted) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    editor.Tree->expandItem(Top(1));
    Select(Top(0)->child(2));
    editor.mnuPopCopy->trigger();
    Select(Top(0));
    prompts.answer(platform::PromptAnswer::Yes);
    editor.DeleteSelectedObject();
    EXPECT_EQ(editor.CopiedObject(), nullptr);
    Select(Top(0)->child(1));
    editor.PasteObject();
    EXPECT_EQ(editor.Document().parser()->Sectors.count(), 1);
    EXPECT_EQ(Top(0)->childCount(), 2);
    editor.mnuPopCopy->trigger();
    editor.PasteObject();
    EXPECT_EQ(Top(0)->childCount(), 3);

    // A new map forgets the copied object.
    ASSERT_NE(editor.CopiedObject(), nullptr);
    prompts.answer(platform::PromptAnswer::No);
    editor.NewMap();
    EXPECT_EQ(editor.CopiedObject(), nullptr);
}

TEST_F(frmGalaxyEditorTest, AMapFileDroppedOnTheTreeOpens) {
    Open(kTwoSectors);
    const QString other = WriteMap(R"(<universe><o t="1" x="4" y="2"/></universe>)", "dropped.xml");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // The window's filter of the tree's drop events, as the drag manager calls it.
    static_cast<QObject&>(editor).eventFilter(editor.Tree->viewport(), &drop);
    EXPECT_EQ(editor.Tree->topLevelItemCount(), 1);
    EXPECT_EQ(Text(editor.MapFileName()), Text(other));
}

TEST_F(frmGalaxyEditorTest, FindNextReachesEveryLaterNode) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    editor.Tree->expandItem(Top(1));
    Filter(false, true, false);
    Select(Top(0));
    QVariant position;
    std::vector<QTreeWidgetItem*> found;
    while (editor.FindNextNode(true, "[gate]", position))
        found.push_back(editor.Tree->currentItem());
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], Top(0)->child(1));
    EXPECT_EQ(found[1], Top(0)->child(3));
    EXPECT_EQ(found[2], Top(1)->child(0));
    EXPECT_EQ(editor.SelectedObject(), Object(found[2]));

    Select(Top(0));
    position = QVariant();
    EXPECT_TRUE(editor.FindNextNode(false, "sub OBJ", position));
    EXPECT_EQ(editor.Tree->currentItem(), Top(0)->child(3)->child(0));
    EXPECT_FALSE(editor.FindNextNode(true, "sub", position));
}

TEST_F(frmGalaxyEditorTest, UnreadableMapsAreReported) {
    Open("<map/>", "bad.xml");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(
        StartsWith(Messages()[0], "Error parsing file: \nCannot find tag 'universe' in file.\n"));
    EXPECT_TRUE(editor.RecentMaps().isEmpty());
    EXPECT_EQ(Text(editor.windowTitle()), "Ruvaze Rezivo");
    EXPECT_EQ(Text(editor.StatusPanel->text()), "0 sectors");
    EXPECT_FALSE(editor.SaveMapAs());
    EXPECT_TRUE(StartsWith(Messages()[1], "Error saving file:\nThe map could not be read"));

    Open(R"(<universe><o t="1"><x t="18"/></o></universe>)", "gate.xml");
    EXPECT_EQ(Messages()[2],
              "Error parsing file: \nFailed to load object: Starting tag is not 'o'");

    Open(R"(<universe><o t="1"><o t="18"/><x t="4"/></o><o t="1" x="1"/></universe>)", "deep.xml");
    ASSERT_EQ(editor.Tree->topLevelItemCount(), 2);
    editor.Tree->expandItem(Top(0));
    EXPECT_TRUE(StartsWith(Messages()[3], "Error loading children of sector idx=0\n"));
    EXPECT_TRUE(IsGrey(Top(0)));
    EXPECT_EQ(Labels(Top(0)), Strings{"not loaded"});
    editor.Tree->expandItem(Top(1));
    EXPECT_FALSE(IsGrey(Top(1)));
    EXPECT_EQ(Messages().size(), 4u);
}

TEST_F(frmGalaxyEditorTest, RecentMapsKeepFiveNewestFirst) {
    QStringList opened;
    for (int i = 0; i < 6; ++i) {
        Open(kTwoSectors, "map" + std::to_string(i) + ".xml");
        opened.prepend(path);
    }
    opened.removeLast();
    EXPECT_EQ(editor.RecentMaps(), opened);
    const auto entries = editor.mnuRecent->Menu()->actions();
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(Text(entries[0]->text()), "1 - " + Text(path));
    EXPECT_EQ(entries[0]->data().toString(), path);
}

TEST_F(frmGalaxyEditorTest, OpeningWithUnsavedChangesAsks) {
    Open(kTwoSectors);
    editor.SetModified(true);
    prompts.answer(platform::PromptAnswer::Cancel);
    Open(kTwoSectors, "other.xml");
    EXPECT_EQ(editor.RecentMaps().size(), 1);
    EXPECT_EQ(Text(prompts.messages().back().title), "Zorv Editor");
    EXPECT_EQ(Messages().back(),
              "You have modified some objects.\n\nDo you want to save your changes?");
    prompts.answer(platform::PromptAnswer::No);
    Open(kTwoSectors, "other.xml");
    EXPECT_EQ(editor.RecentMaps().size(), 2);
    EXPECT_FALSE(editor.Modified());
}

TEST_F(frmGalaxyEditorTest, TheMissingGamePath) {
    editor.RunGame();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].icon, platform::PromptIcon::Exclamation);
    EXPECT_EQ(Messages()[0],
              "Program cannot found registry entry of the Zorv - Tessarine. You will have to "
              "specify path to the game executable in the Settings window.");
}

TEST_F(frmGalaxyEditorTest, PanelChangesReachTheTreeAndCaption) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    Filter(false, true, false);
    QTreeWidgetItem* planet = Top(0)->child(2);
    Select(planet);
    ASSERT_TRUE(editor.Document().SetProperty(Object(planet), "t", 3));
    EXPECT_EQ(Text(planet->text(0)), "[Sun]");
    EXPECT_EQ(Text(planet->data(0, kIconRole).toString()), "sun");
    EXPECT_EQ(Text(editor.windowTitle()), "Ruvaze Rezivo [" + Text(path) + "] *");
    EXPECT_TRUE(StartsWith(Text(editor.lblObjectName->text()), "Sun - "));
}

TEST_F(frmGalaxyEditorTest, ClosingWithUnsavedChanges) {
    Open(kTwoSectors);
    editor.show();
    editor.SetModified(true);
    prompts.answer(platform::PromptAnswer::Cancel);
    EXPECT_FALSE(editor.close());
    prompts.answer(platform::PromptAnswer::No);
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Text(prompts.messages().back().title), "Ruvaze Rezivo");
}

TEST_F(frmGalaxyEditorTest, PopupItemsFollowTheNodeAndTheCopy) {
    Open(kTwoSectors);
    editor.ShowPopupMenu(QPoint(-5, -5), false);
    EXPECT_FALSE(editor.mnuPopDelete->isEnabled());
    EXPECT_FALSE(editor.mnuPopPaste->isEnabled());
    EXPECT_TRUE(editor.mnuPopAddSector->isEnabled());
    editor.show();
    const QPoint onFirst = editor.Tree->visualItemRect(Top(0)).center();
    editor.ShowPopupMenu(onFirst, false);
    EXPECT_TRUE(editor.mnuPopCopy->isEnabled());
    EXPECT_FALSE(editor.mnuPopPaste->isEnabled());
    editor.mnuPopCopy->trigger();
    editor.ShowPopupMenu(onFirst, false);
    EXPECT_TRUE(editor.mnuPopPaste->isEnabled());
}

TEST_F(frmGalaxyEditorTest, TheFindWindowSearchesTheTree) {
    Open(kTwoSectors);
    editor.Tree->expandItem(Top(0));
    Filter(false, true, false);
    editor.ShowFindWindow();
    ASSERT_NE(editor.FindWindow(), nullptr);
    QString text = "[planet]";
    QVariant position;
    bool found = false;
    emit editor.FindWindow()->OnFindNext(true, false, text, position, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(editor.SelectedObject(), Object(Top(0)->child(2)));
    emit editor.FindWindow()->OnFindNext(true, false, text, position, found);
    EXPECT_FALSE(found);
    editor.FindWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.FindWindow(), nullptr);
}

TEST_F(frmGalaxyEditorTest, NebulaSectorsAreReported) {
    Open(R"(<universe>
  <o t="1" x="0" y="0"><o t="21" s="100"/></o>
  <o t="1" x="1" y="0"><o t="21" s="93"/><o t="21" s="110"/></o>
  <o t="1" x="2" y="0"><o t="21" s="112"/></o>
</universe>)");
    editor.Command1->click();
    const auto reports = editor.findChildren<frmText*>();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(Text(reports[0]->Text()),
              "[string 7:1020102] [01, 00]\n[string 7:1020103] [02, 00]\n");
    // The sectors read for the report show their contents in the tree.
    EXPECT_FALSE(IsGrey(Top(0)));
    EXPECT_EQ(Top(1)->childCount(), 2);
}

TEST_F(frmGalaxyEditorTest, LabelOptionsAndRecentMapsAreKept) {
    editor.MyShow();
    Open(kTwoSectors);
    Filter(false, true, true);
    ASSERT_TRUE(editor.close());
    frmGalaxyEditor next;
    next.MyShow();
    EXPECT_FALSE(next.chkNameFilter[0]->isChecked());
    EXPECT_TRUE(next.chkNameFilter[1]->isChecked());
    EXPECT_TRUE(next.chkNameFilter[2]->isChecked());
    EXPECT_EQ(next.RecentMaps(), QStringList{path});
    // With a recent map, the open dialog offers it.
    next.Button("open")->trigger();
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].file.fileName, path);
}

} // namespace

// Reading a sector turns its placeholder into the node of its first child:
// that node is found, shown, labelled and removed like its siblings.
TEST_F(frmGalaxyEditorTest, TheFirstNodeOfAReadSectorIsLikeTheOthers) {
    Open(R"(<universe><o t="1"><o t="5" s="0"><o t="23" s="8"/></o><o t="4" s="1"/></o>)"
         R"(<o t="1" x="1"/></universe>)",
         "first.xml");
    editor.show();
    editor.Tree->expandItem(Top(0));
    ASSERT_EQ(Top(0)->childCount(), 2);
    QTreeWidgetItem* dock = Top(0)->child(0);
    const Ptr object = Object(dock);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->otype(), 5);
    EXPECT_EQ(editor.Node(object->Key()), dock);
    EXPECT_EQ(editor.Node("1dummy"), nullptr);
    EXPECT_EQ(editor.Node("2dummy"), Top(1)->child(0));
    EXPECT_EQ(editor.Node("02dummy"), nullptr);
    EXPECT_EQ(Text(dock->data(0, kIconRole).toString()), "dock");
    EXPECT_FALSE(dock->icon(0).isNull());
    EXPECT_FALSE(IsGrey(dock));

    Click(dock);
    EXPECT_EQ(editor.SelectedObject(), object);
    EXPECT_EQ(Text(editor.lblObjectName->text()), "Dock - [object t=5 s=0]");
    Filter(false, true, false);
    EXPECT_EQ(Labels(Top(0)), (Strings{"[Dock]", "[Planet]"}));
    EXPECT_EQ(Labels(dock), Strings{"[Sub objects]"});
    EXPECT_EQ(Labels(Top(1)), Strings{"not loaded"});

    prompts.answer(platform::PromptAnswer::Yes);
    editor.DeleteSelectedObject();
    EXPECT_EQ(Labels(Top(0)), Strings{"[Planet]"});
    EXPECT_EQ(editor.Node(object->Key()), nullptr);
}

// A found placeholder is opened to be shown, which reads its sector: the
// search ends on the node then in its place.
TEST_F(frmGalaxyEditorTest, FindingAPlaceholderReadsItsSector) {
    const struct {
        const char* map;
        int foundType;
    } cases[] = {
        {R"(<universe><o t="1"><o t="4" s="1"/><o t="18"/></o></universe>)", 4},
        {R"(<universe><o t="1" x="3"/><o t="1" x="4"/></universe>)", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.map);
        Open(test.map);
        Click(Top(0));
        ASSERT_EQ(editor.SelectedObject(), Object(Top(0)));
        QVariant position;
        ASSERT_TRUE(editor.FindNextNode(true, "not loaded", position));
        const Ptr found = editor.SelectedObject();
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->otype(), test.foundType);
        EXPECT_EQ(Object(editor.Tree->currentItem()), found);
        EXPECT_EQ(position.toString(), found->Key());
        EXPECT_FALSE(IsGrey(Top(0)));
        EXPECT_TRUE(Messages().empty());
    }
}
