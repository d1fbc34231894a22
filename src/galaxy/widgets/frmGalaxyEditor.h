// The Ruvaze Rezivo: a universe map as a tree of sectors and their objects,
// the property panel of the selected object, and the two map windows kept in
// step with both. Every change goes through the one GalaxyDocument; the tree
// follows the document's signals.
#pragma once

#include "galaxy/clsGalaxyObject.h"
#include "galaxy/widgets/GalaxyMapViews.h"
#include "galaxy/widgets/GalaxyTreeRules.h"
#include "platform/Prompts.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class GalaxyDocument;
class GalaxyTreeNode;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class RecentFilesMenu;
class frmFind;
class ucGalObject;

class frmGalaxyEditor : public QMainWindow {
    Q_OBJECT

public:
    using Ptr = clsGalaxyObject::Ptr;
    // Opens the Text Resource Editor with the owner; the program installs it.
    using TextEditorOpener = std::function<void(QWidget* owner)>;

    explicit frmGalaxyEditor(QWidget* parent = nullptr);
    ~frmGalaxyEditor() override;

    static void SetTextEditorOpener(TextEditorOpener opener);

    void MyShow(bool modal = false, QWidget* owner = nullptr);
    // An empty path asks for one; on return it holds the path chosen.
    void OpenFile(QString& path);
    bool SaveMapAs();
    void NewMap();

    GalaxyDocument& Document() const { return *m_document; }
    Ptr SelectedObject() const { return m_selected; }
    void SetSelectedObject(const Ptr& object);
    bool Modified() const;
    void SetModified(bool modified);
    QString MapFileName() const { return m_mapFileName; }
    QStringList RecentMaps() const;
    Ptr CopiedObject() const { return m_copied; }
    void SetCopiedObject(const Ptr& object) { m_copied = object; }

    void UpdateCaption();
    void FillTree();
    void SelectNode(QTreeWidgetItem* node);
    void SelectObjectNode(const Ptr& object);
    void UpdateObjectNode(const Ptr& object, bool withChildren);
    bool LoadSectorNode(const Ptr& sector);
    // The object's label under the name options; the reference holds until
    // the next call.
    const GalaxyTreeRules::Label& GetNodeLabel(const Ptr& object);
    void RelabelTree();
    // The node of an object (or of a placeholder) by key, or nothing.
    QTreeWidgetItem* Node(const QString& key) const;
    QTreeWidgetItem* NodeOf(const Ptr& object) const;

    // Commands of the tree.
    void AddNewObject(bool sector);
    void PasteObject();
    void DeleteSelectedObject();
    bool MoveDraggedNode(QTreeWidgetItem* dragNode, QTreeWidgetItem* targetNode, bool asChild);
    // The drag icon over a node: "movesiblink", "moveparent" or "nop".
    QString DragOverIcon(QTreeWidgetItem* dragNode, QTreeWidgetItem* targetNode,
                         bool asChild) const;
    // Enables the popup items for the node at the point and pops the menu up.
    void ShowPopupMenu(const QPoint& point, bool popup = true);
    void RunGame();
    void ShowTextResourceEditor();
    void ReportNebulaSectors();
    void ShowFindWindow();
    // Finds the next node whose label matches, from the selected node on.
    bool FindNextNode(bool wholeWords, const QString& text, QVariant& position);

    // The map windows.
    void ShowSectorMap();
    void ShowUniverseMap();
    SectorMapView* SectorMap() const { return m_map; }
    UniverseMapView* UniverseMap() const { return m_universe; }
    void NotifyObjectModified(const Ptr& object, bool noRefresh);

    QTreeWidget* Tree = nullptr;
    ucGalObject* ObjectEdit = nullptr;
    QLabel* lblObjectName = nullptr;
    std::array<QCheckBox*, 3> chkNameFilter{};
    QLabel* StatusPanel = nullptr;
    QPushButton* Command1 = nullptr;
    QMenu* mnuPop = nullptr;
    RecentFilesMenu* mnuRecent = nullptr;
    QAction* mnuPopAddSector = nullptr;
    QAction* mnuPopAddObj = nullptr;
    QAction* mnuPopCopy = nullptr;
    QAction* mnuPopPaste = nullptr;
    QAction* mnuPopDelete = nullptr;
    // Toolbar buttons by key.
    QAction* Button(const QString& key) const;
    QPointer<frmFind> FindWindow() const { return m_find; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class SectorEvents;
    class UniverseEvents;
    class TreeFill;
    friend class SectorEvents;
    friend class UniverseEvents;

    static TextEditorOpener& Opener();
    void BuildWindow();
    void BuildToolbar();
    void BuildPopupMenu();
    void ConnectDocument();
    bool AskToSave(const platform::WindowPrompts& prompts);
    bool QueryReplaceMap();
    void LoadEditorSettings();
    void SaveEditorSettings();

    QTreeWidgetItem* MakeNode(const Ptr& object);
    void EnterNode(GalaxyTreeNode* node, const Ptr& object);
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, int index, const Ptr& object);
    void AddObjectNode(QTreeWidgetItem* node, const Ptr& object, int from = 0);
    void RefillNode(QTreeWidgetItem* node, const Ptr& object);
    GalaxyTreeNode* ReusePlaceholder(QTreeWidgetItem* node, const Ptr& object);
    QTreeWidgetItem* RevealNode(QTreeWidgetItem* node);
    void SetNodeLook(GalaxyTreeNode* node, const Ptr& object, bool grey);
    void RemoveNode(QTreeWidgetItem* node);
    void RemoveChildNodes(QTreeWidgetItem* node);
    void ForgetKeys(QTreeWidgetItem* node);
    void RelabelNodes();
    GalaxyTreeNode* NodeOfId(int32_t id) const;
    Ptr ObjectOf(const QTreeWidgetItem* node) const;
    // The tree's selected node; nothing after a click beside the nodes.
    QTreeWidgetItem* SelectedNode() const;
    // Shows the node's object (nothing for no node or a placeholder).
    void ShowNode(QTreeWidgetItem* node);
    void ShowSelection();
    void UpdateObjectLabel(const Ptr& object);
    void NodeExpanded(QTreeWidgetItem* node);
    void ShowError(const QString& text);

    // Drag and drop inside the tree, and map files dropped on it.
    bool TreeDragEvent(QEvent* event);

    // Answers of the document's signals.
    void Document_SectorLoaded(const Ptr& sector);
    void Document_ObjectAdded(const Ptr& object);
    void Document_ObjectRemoved(const Ptr& object);
    void Document_ObjectMoved(const Ptr& object);

    // Events of the map windows.
    void m_map_OnClose();
    void m_map_OnObjectDeleted(const Ptr& object);
    void m_universe_OnClose();
    void m_universe_OnDisplaySector(const Ptr& sector);
    void UpdateMapButtons();
    void UnloadMaps();
    // Calls each open map window, the Sector Map first; a window that the
    // first call closed is not called.
    void ForEachMap(const std::function<void(GalaxyMapView&)>& call);
    QWidget* MapOwner() const;

    void m_find_OnFindNext(bool wholeWords, bool useID, QString& text, QVariant& position,
                           bool& found);

    // Its boxes carry the editor's title; a few, such as the save question
    // before another map replaces this one, the program's.
    const platform::WindowPrompts m_prompts;
    const platform::WindowPrompts m_programPrompts;
    GalaxyDocument* m_document = nullptr;
    Ptr m_selected;
    Ptr m_copied;
    QString m_mapFileName;
    int32_t m_nameFilter = 1;
    GalaxyTreeRules::NodeLabels m_labels;
    // The nodes of objects at their IDs (counted up from 1 within a map, and
    // never reused), and the placeholders by number. Nodes are made in the order
    // of their IDs, so entering them goes through the list once.
    std::vector<GalaxyTreeNode*> m_objectNodes;
    QHash<int32_t, GalaxyTreeNode*> m_placeholders;
    QTreeWidgetItem* m_dragNode = nullptr;
    QPoint m_dragStart;
    SectorMapView* m_map = nullptr;
    UniverseMapView* m_universe = nullptr;
    std::unique_ptr<SectorEvents> m_sectorEvents;
    std::unique_ptr<UniverseEvents> m_universeEvents;
    QPointer<frmFind> m_find;
    QPointer<QWidget> m_owner;
    bool m_unloadConfirmed = false;
    int32_t m_placeholderCounter = 0;
    // The tree is being rebuilt: its selection changes are not the person's.
    int m_treeUpdates = 0;
    QHash<QString, QAction*> m_buttons;
};
