#include "galaxy/widgets/frmGalaxyEditor.h"
#include "galaxy/widgets/frmGalaxyEditorEvents.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "common/widgets/RecentFilesMenu.h"
#include "galaxy/GalaxyDocument.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/GalaxyTreeNode.h"
#include "galaxy/widgets/GalaxyTreeRules.h"
#include "galaxy/widgets/ucGalObject.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/widgets/ZorvFileDialog.h"
#include "platform/CollectionKey.h"
#include "platform/widgets/ChosenRow.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/frmFind.h"
#include "shell/widgets/frmWait.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

using GalaxyEditorRoles::kKeyRole;

namespace {

const QString kEditorTitle = QStringLiteral("Ruvaze Rezivo");

const QString kNewMapName = QStringLiteral("New Map File");
const QString kSaveQuestion =
    QStringLiteral("You have modified some objects.\n\nDo you want to save your changes?");
const QString kOpenFilter = QStringLiteral(
    "Zorv Universe Maps (*.xml; *.pck; *.cat)|*.xml;*.pck;*.cat|All files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Zorv Universe Maps - plain (*.xml)|*.xml|Zorv "
                                           "Universe Maps - packed (*.pck)|*.pck");
// The splitter keeps this much (2000 twips) of the tree and of the panel.
constexpr int kMinimumSide = 2000 / 15;

bool IsPlaceholder(const QTreeWidgetItem* node) {
    return node->type() == GalaxyTreeNode::kType &&
           static_cast<const GalaxyTreeNode*>(node)->IsPlaceholder();
}

} // namespace

frmGalaxyEditor::frmGalaxyEditor(QWidget* parent)
    : QMainWindow(parent), m_prompts(kEditorTitle, this),
      m_programPrompts(platform::kProgramTitle, this) {
    setObjectName(QStringLiteral("frmGalaxyEditor"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    mdlZorvGalaxy::InitGalaxyTables();
    m_document = new GalaxyDocument(this);
    BuildWindow();
    ConnectDocument();
    ObjectEdit->Init();
    UpdateCaption();
}

void frmGalaxyEditor::BuildWindow() {
    Tree = new QTreeWidget(this);
    Tree->setObjectName(QStringLiteral("Tree"));
    Tree->setHeaderHidden(true);
    Tree->setUniformRowHeights(true);
    Tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    Tree->setAcceptDrops(true);
    Tree->viewport()->setAcceptDrops(true);
    Tree->viewport()->installEventFilter(this);
    Tree->installEventFilter(this);

    ObjectEdit = new ucGalObject(this);
    ObjectEdit->setObjectName(QStringLiteral("ObjectEdit"));
    lblObjectName = new QLabel(this);
    lblObjectName->setObjectName(QStringLiteral("lblObjectName"));
    QFont bold = lblObjectName->font();
    bold.setBold(true);
    lblObjectName->setFont(bold);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(4, 0, 0, 0);
    rightLayout->addWidget(lblObjectName);
    rightLayout->addWidget(ObjectEdit, 1);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(Tree, 1);
    auto* filters = new QHBoxLayout;
    const QStringList captions = {QStringLiteral("Name"), QStringLiteral("Class"),
                                  QStringLiteral("ID")};
    const QStringList tips = {QStringLiteral("Show names of objects"),
                              QStringLiteral("Show class of objects"),
                              QStringLiteral("Show IDs of objects")};
    for (int i = 0; i < 3; ++i) {
        chkNameFilter[i] = new QCheckBox(captions[i], left);
        chkNameFilter[i]->setObjectName(QStringLiteral("chkNameFilter") + QString::number(i));
        chkNameFilter[i]->setToolTip(tips[i]);
        connect(chkNameFilter[i], &QCheckBox::clicked, this, &frmGalaxyEditor::RelabelTree);
        filters->addWidget(chkNameFilter[i]);
    }
    chkNameFilter[0]->setChecked(true);
    filters->addStretch();
    Command1 = new QPushButton(QStringLiteral("Command1"), left);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Report sectors with nebulae"));
    connect(Command1, &QPushButton::clicked, this, &frmGalaxyEditor::ReportNebulaSectors);
    filters->addWidget(Command1);
    leftLayout->addLayout(filters);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setChildrenCollapsible(false);
    left->setMinimumWidth(kMinimumSide);
    right->setMinimumWidth(kMinimumSide);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    setCentralWidget(splitter);

    StatusPanel = new QLabel(this);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    statusBar()->addWidget(StatusPanel, 1);

    BuildToolbar();
    BuildPopupMenu();

    connect(Tree, &QTreeWidget::itemExpanded, this, &frmGalaxyEditor::NodeExpanded);
    // The selection, not the current node: a press makes the clicked node
    // current before it selects it, and a click beside the nodes leaves a
    // current node that is not selected.
    connect(Tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_treeUpdates == 0)
            ShowNode(SelectedNode());
    });
    connect(Tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { ShowPopupMenu(point); });
    connect(ObjectEdit, &ucGalObject::OnObjectChanged, this,
            [this](const Ptr& object) { NotifyObjectModified(object, true); });
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, &frmGalaxyEditor::ShowFindWindow);
    resize(900, 600);
}

void frmGalaxyEditor::BuildToolbar() {
    QToolBar* bar = addToolBar(QStringLiteral("MainToolbar"));
    bar->setObjectName(QStringLiteral("MainToolbar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setMovable(false);
    const auto add = [this, bar](const QString& key, const QString& caption, const QString& tip) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(key);
        action->setToolTip(tip);
        m_buttons.insert(key, action);
        return action;
    };
    connect(add(QStringLiteral("new"), QStringLiteral("New"), QStringLiteral("New map file")),
            &QAction::triggered, this, &frmGalaxyEditor::NewMap);
    QAction* open = add(QStringLiteral("open"), QStringLiteral("Open"), QStringLiteral("Open map"));
    connect(open, &QAction::triggered, this, [this] {
        QString path;
        OpenFile(path);
    });
    mnuRecent = new RecentFilesMenu(this);
    mnuRecent->Menu()->setObjectName(QStringLiteral("mnuRecent"));
    open->setMenu(mnuRecent->Menu());
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(open)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    connect(mnuRecent, &RecentFilesMenu::Chosen, this, [this](QString path) { OpenFile(path); });
    connect(add(QStringLiteral("save"), QStringLiteral("Save"), QStringLiteral("Save map")),
            &QAction::triggered, this, &frmGalaxyEditor::SaveMapAs);
    bar->addSeparator();
    connect(
        add(QStringLiteral("zorv"), QStringLiteral("Zorv"), QStringLiteral("Run the Zorv game")),
        &QAction::triggered, this, &frmGalaxyEditor::RunGame);
    connect(add(QStringLiteral("desc"), QStringLiteral("Text Res"),
                QStringLiteral("Text resource editor")),
            &QAction::triggered, this, &frmGalaxyEditor::ShowTextResourceEditor);
    bar->addSeparator();
    QAction* map =
        add(QStringLiteral("map"), QStringLiteral("Sector"), QStringLiteral("Show sector map"));
    map->setCheckable(true);
    connect(map, &QAction::triggered, this, &frmGalaxyEditor::ShowSectorMap);
    QAction* universe = add(QStringLiteral("universe"), QStringLiteral("Universe"),
                            QStringLiteral("Show universe map"));
    universe->setCheckable(true);
    connect(universe, &QAction::triggered, this, &frmGalaxyEditor::ShowUniverseMap);
    UpdateMapButtons();
}

QAction* frmGalaxyEditor::Button(const QString& key) const {
    return m_buttons.value(key);
}

void frmGalaxyEditor::ConnectDocument() {
    connect(m_document, &GalaxyDocument::SectorLoaded, this,
            &frmGalaxyEditor::Document_SectorLoaded);
    connect(m_document, &GalaxyDocument::ObjectAdded, this, &frmGalaxyEditor::Document_ObjectAdded);
    connect(m_document, &GalaxyDocument::ObjectRemoved, this,
            &frmGalaxyEditor::Document_ObjectRemoved);
    connect(m_document, &GalaxyDocument::ObjectMoved, this, &frmGalaxyEditor::Document_ObjectMoved);
    connect(m_document, &GalaxyDocument::ObjectModified, this,
            [this](const Ptr& object) { NotifyObjectModified(object, true); });
    connect(m_document, &GalaxyDocument::ModifiedChanged, this, &frmGalaxyEditor::UpdateCaption);
}

void frmGalaxyEditor::MyShow(bool modal, QWidget* owner) {
    m_owner = owner;
    m_unloadConfirmed = false;
    LoadEditorSettings();
    RelabelTree();
    Button(QStringLiteral("save"))->setEnabled(m_document->Good());
    UpdateMapButtons();
    Button(QStringLiteral("desc"))->setEnabled(static_cast<bool>(Opener()));
    SelectNode(nullptr);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    show();
    raise();
    activateWindow();
}

bool frmGalaxyEditor::Modified() const {
    return m_document->Modified();
}

void frmGalaxyEditor::SetModified(bool modified) {
    m_document->SetModified(modified);
    UpdateCaption();
}

void frmGalaxyEditor::UpdateCaption() {
    QString caption = kEditorTitle;
    if (!m_mapFileName.isEmpty()) {
        caption += QStringLiteral(" [") + m_mapFileName + u']';
        if (Modified())
            caption += QStringLiteral(" *");
    }
    setWindowTitle(caption);
}

void frmGalaxyEditor::ShowError(const QString& text) {
    m_prompts.tell(text, platform::PromptIcon::Critical);
}

// Yes saves first; false when the person cancelled or the save failed.
bool frmGalaxyEditor::AskToSave(const platform::WindowPrompts& prompts) {
    if (!Modified())
        return true;
    switch (prompts.ask(kSaveQuestion, platform::PromptIcon::Question,
                        platform::PromptButtons::YesNoCancel)) {
    case platform::PromptAnswer::Yes:
        return SaveMapAs();
    case platform::PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

// The Sector Map's moves are offered before the map's own save question, so a
// Yes to them is saved with the map instead of written into the one replaced.
bool frmGalaxyEditor::QueryReplaceMap() {
    return (!m_map || m_map->QueryUnload()) && AskToSave(m_programPrompts);
}

void frmGalaxyEditor::OpenFile(QString& path) {
    if (!QueryReplaceMap())
        return;
    m_mapFileName.clear();
    m_copied.reset();
    if (m_map)
        m_map->Clear();
    if (m_universe)
        m_universe->Clear();
    if (path.isEmpty()) {
        ZorvFileDialog dialog(this);
        dialog.FileName = mnuRecent->Latest();
        if (dialog.FileName.isEmpty())
            dialog.InitDir = mdlComFunctions::BuildPath(mdlCommon::Settings().ZorvPath(),
                                                        QStringLiteral("maps"));
        dialog.filter = kOpenFilter;
        if (!dialog.ShowOpen()) {
            UpdateCaption();
            return;
        }
        path = dialog.FileName;
    }
    mdlCommon::ShowWait(QStringLiteral("Loading file..."), this);
    if (m_document->Open(path)) {
        mnuRecent->Add(path);
        Button(QStringLiteral("save"))->setEnabled(true);
    } else {
        mdlCommon::HideWait(this);
        ShowError(QStringLiteral("Error parsing file: \n") + m_document->LastError());
        mnuRecent->Remove(path);
    }
    m_mapFileName = m_document->FileName();
    m_document->SetModified(false);
    UpdateCaption();
    FillTree();
    mdlCommon::HideWait(this);
}

bool frmGalaxyEditor::SaveMapAs() {
    if (!m_document->CheckSavable()) {
        ShowError(QStringLiteral("Error saving file:\n") + m_document->LastError());
        return false;
    }
    ZorvFileDialog dialog(this);
    dialog.filter = kSaveFilter;
    dialog.FileName = m_document->FileName();
    if (!dialog.ShowSave())
        return false;
    const QString path = dialog.FileName;
    if (mdlZorvFD::ZorvFD_FileExists(path) &&
        !m_prompts.confirm(path + QStringLiteral(" already exist.\nDo you want to replace it?")))
        return false;
    if (!m_document->Save(path, dialog.FilterIndex == 1 ? 1 : 2)) {
        ShowError(QStringLiteral("Error saving file:\n") + m_document->LastError());
        return false;
    }
    m_mapFileName = m_document->FileName();
    mnuRecent->Add(m_mapFileName);
    UpdateCaption();
    return true;
}

void frmGalaxyEditor::NewMap() {
    if (!QueryReplaceMap())
        return;
    m_document->NewMap();
    m_mapFileName = kNewMapName;
    m_copied.reset();
    if (m_map)
        m_map->Clear();
    Button(QStringLiteral("save"))->setEnabled(true);
    UpdateCaption();
    FillTree();
}

QStringList frmGalaxyEditor::RecentMaps() const {
    return mnuRecent->Files();
}

void frmGalaxyEditor::LoadEditorSettings() {
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE();
    const int32_t names = key.isValid() ? key.number(QStringLiteral("Names")).value_or(1) : 1;
    for (int i = 0; i < 3; ++i)
        chkNameFilter[i]->setChecked(names & (1 << i));
    mnuRecent->SetFiles(mdlCommon::Settings().LoadRecentGalaxyMaps());
}

void frmGalaxyEditor::SaveEditorSettings() {
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE();
    if (key.isValid())
        key.setNumber(QStringLiteral("Names"), m_nameFilter);
    mdlCommon::Settings().SaveRecentGalaxyMaps(mnuRecent->Files());
}

// The tree.

QTreeWidgetItem* frmGalaxyEditor::Node(const QString& key) const {
    if (GalaxyTreeNode* placeholder = m_placeholders.value(GalaxyTreeNode::PlaceholderNumber(key)))
        return placeholder;
    return NodeOf(m_document->parser()->objects.find(key));
}

QTreeWidgetItem* frmGalaxyEditor::NodeOf(const Ptr& object) const {
    return object ? NodeOfId(object->ID) : nullptr;
}

// By the node's ID, without making its key.
frmGalaxyEditor::Ptr frmGalaxyEditor::ObjectOf(const QTreeWidgetItem* node) const {
    if (!node || node->type() != GalaxyTreeNode::kType)
        return nullptr;
    const auto* treeNode = static_cast<const GalaxyTreeNode*>(node);
    if (treeNode->IsPlaceholder())
        return nullptr;
    return m_document->parser()->objects.find(platform::CollectionKey(treeNode->Id()));
}

const GalaxyTreeRules::Label& frmGalaxyEditor::GetNodeLabel(const Ptr& object) {
    return m_labels.Of(*m_document->parser(), object, m_nameFilter);
}

void frmGalaxyEditor::SetNodeLook(GalaxyTreeNode* node, const Ptr& object, bool grey) {
    node->SetLook(GetNodeLabel(object), GalaxyTreeRules::ImageKey(*object), grey);
}

QTreeWidgetItem* frmGalaxyEditor::MakeNode(const Ptr& object) {
    auto* node = new GalaxyTreeNode(object->ID, GetNodeLabel(object),
                                    GalaxyTreeRules::ImageKey(*object), !object->Loaded);
    EnterNode(node, object);
    return node;
}

// The node, with the object's label and icon, made the object's node.
// IDs grow by one as objects are read, so the list grows by halves.
void frmGalaxyEditor::EnterNode(GalaxyTreeNode* node, const Ptr& object) {
    if (object->ID >= std::ssize(m_objectNodes))
        m_objectNodes.resize(std::max<size_t>(object->ID + 1, m_objectNodes.size() * 3 / 2));
    m_objectNodes[object->ID] = node;
}

// A node for the object at the index among the parent's children (the
// root level without parent; -1 appends).
QTreeWidgetItem* frmGalaxyEditor::AddNode(QTreeWidgetItem* parent, int index, const Ptr& object) {
    QTreeWidgetItem* node = MakeNode(object);
    if (parent)
        parent->insertChild(index < 0 ? parent->childCount() : index, node);
    else
        Tree->insertTopLevelItem(index < 0 ? Tree->topLevelItemCount() : index, node);
    return node;
}

// The object's subtree below the node, from its child at `from` on (the
// nodes of those before are in place). A node in the tree takes its children
// in one step, the view told once; one not yet in the tree takes each as it
// is made, which costs less than gathering them.
void frmGalaxyEditor::AddObjectNode(QTreeWidgetItem* node, const Ptr& object, int from) {
    if (object->Loaded) {
        if (object->Childs.count() <= from)
            return;
        const bool inTree = node->treeWidget() != nullptr;
        QList<QTreeWidgetItem*> children;
        if (inTree)
            children.reserve(object->Childs.count() - from);
        int position = 0;
        for (const Ptr& child : object->Childs) {
            if (position++ < from)
                continue;
            QTreeWidgetItem* childNode = MakeNode(child);
            AddObjectNode(childNode, child);
            if (inTree)
                children.append(childNode);
            else
                node->addChild(childNode);
        }
        if (inTree)
            node->addChildren(children);
        return;
    }
    ++m_placeholderCounter;
    GalaxyTreeNode* placeholder = GalaxyTreeNode::Placeholder(m_placeholderCounter);
    node->addChild(placeholder);
    m_placeholders.insert(m_placeholderCounter, placeholder);
}

// The tree being filled: its selection changes are not the person's, and it
// paints once, when the filling ends (a hidden tree does not paint at all).
class frmGalaxyEditor::TreeFill {
public:
    explicit TreeFill(frmGalaxyEditor& editor)
        : m_editor(editor), m_painting(editor.Tree->updatesEnabled() && editor.Tree->isVisible()) {
        ++m_editor.m_treeUpdates;
        if (m_painting)
            m_editor.Tree->setUpdatesEnabled(false);
    }
    ~TreeFill() {
        if (m_painting)
            m_editor.Tree->setUpdatesEnabled(true);
        --m_editor.m_treeUpdates;
    }
    TreeFill(const TreeFill&) = delete;
    TreeFill& operator=(const TreeFill&) = delete;

private:
    frmGalaxyEditor& m_editor;
    bool m_painting;
};

void frmGalaxyEditor::RefillNode(QTreeWidgetItem* node, const Ptr& object) {
    const TreeFill fill(*this);
    if (GalaxyTreeNode* first = ReusePlaceholder(node, object)) {
        AddObjectNode(first, *object->Childs.begin());
        AddObjectNode(node, object, 1);
        return;
    }
    RemoveChildNodes(node);
    AddObjectNode(node, object);
}

// The node's only child, its placeholder, made the node of the object's first
// child; nothing when the node holds other children or the object has none.
GalaxyTreeNode* frmGalaxyEditor::ReusePlaceholder(QTreeWidgetItem* node, const Ptr& object) {
    if (node->childCount() != 1 || !object->Loaded || object->Childs.isEmpty() ||
        !IsPlaceholder(node->child(0)))
        return nullptr;
    auto* placeholder = static_cast<GalaxyTreeNode*>(node->child(0));
    m_placeholders.remove(placeholder->Number());
    if (placeholder == m_dragNode)
        m_dragNode = nullptr;
    const Ptr& child = *object->Childs.begin();
    placeholder->BecomeNode(child->ID, GetNodeLabel(child), GalaxyTreeRules::ImageKey(*child),
                            !child->Loaded);
    EnterNode(placeholder, child);
    return placeholder;
}

void frmGalaxyEditor::FillTree() {
    {
        const TreeFill fill(*this);
        Tree->clear();
        m_objectNodes.clear();
        m_placeholders.clear();
        m_placeholders.reserve(m_document->parser()->Sectors.count());
        const clsGalaxyParser::TextBatch labels(*m_document->parser());
        QList<QTreeWidgetItem*> sectors;
        sectors.reserve(m_document->parser()->Sectors.count());
        for (const Ptr& sector : m_document->parser()->Sectors) {
            QTreeWidgetItem* node = MakeNode(sector);
            AddObjectNode(node, sector);
            sectors.append(node);
        }
        Tree->addTopLevelItems(sectors);
    }
    if (m_universe)
        m_universe->RefreshUniverse(*m_document);
    SelectNode(nullptr);
    const int32_t count = m_document->parser()->Sectors.count();
    StatusPanel->setText(QString::number(count) +
                         mdlComFunctions::PluralForm(count, QStringLiteral(" sector"),
                                                     QStringLiteral(" sectors"),
                                                     QStringLiteral(" sectors")));
}

void frmGalaxyEditor::ForgetKeys(QTreeWidgetItem* node) {
    if (node->type() == GalaxyTreeNode::kType) {
        const auto* treeNode = static_cast<const GalaxyTreeNode*>(node);
        if (treeNode->IsPlaceholder())
            m_placeholders.remove(treeNode->Number());
        else if (NodeOfId(treeNode->Id()) == node)
            m_objectNodes[treeNode->Id()] = nullptr;
    }
    if (node == m_dragNode)
        m_dragNode = nullptr;
    for (int i = 0; i < node->childCount(); ++i)
        ForgetKeys(node->child(i));
}

void frmGalaxyEditor::RemoveNode(QTreeWidgetItem* node) {
    ++m_treeUpdates;
    ForgetKeys(node);
    delete node;
    --m_treeUpdates;
}

void frmGalaxyEditor::RemoveChildNodes(QTreeWidgetItem* node) {
    while (node->childCount() > 0)
        RemoveNode(node->child(0));
}

void frmGalaxyEditor::UpdateObjectNode(const Ptr& object, bool withChildren) {
    const clsGalaxyParser::TextBatch labels(*m_document->parser());
    QTreeWidgetItem* node = nullptr;
    if (GalaxyTreeNode* shown = NodeOfId(object->ID)) {
        SetNodeLook(shown, object, shown->Grey());
        node = shown;
    } else {
        const Ptr parent = object->Parent.lock();
        QTreeWidgetItem* parentNode = parent ? NodeOf(parent) : nullptr;
        // An object under a sector the tree has not read yet has no place:
        // the sector's node shows it once the sector is read.
        if (parent && (!parentNode || !parent->Loaded))
            return;
        node = AddNode(parentNode, -1, object);
    }
    if (withChildren)
        RefillNode(node, object);
}

bool frmGalaxyEditor::LoadSectorNode(const Ptr& sector) {
    if (!m_document->LoadSector(sector)) {
        ShowError(m_document->LastError());
        return false;
    }
    return true;
}

void frmGalaxyEditor::NodeExpanded(QTreeWidgetItem* node) {
    const Ptr object = ObjectOf(node);
    if (!object || object->Loaded)
        return;
    LoadSectorNode(object);
    if (object == m_selected && m_map)
        m_map->SelectGalObject(object);
}

void frmGalaxyEditor::RelabelTree() {
    m_nameFilter = 0;
    for (int i = 0; i < 3; ++i) {
        if (chkNameFilter[i]->isChecked())
            m_nameFilter |= 1 << i;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Only texts change, so the view is told once at the end instead of
    // once per node.
    const clsGalaxyParser::TextBatch labels(*m_document->parser());
    RelabelNodes();
    Tree->viewport()->update();
    QApplication::restoreOverrideCursor();
}

// Placeholders keep their text; every node of an object is relabelled. The
// nodes of a whole map lie far apart in memory, and walking them in tree
// order waited for each in turn. The document lists its objects in the
// order they were read, which is that of their IDs, so its list and the
// nodes by ID are read straight through, and what each step reads of an
// object or node is asked for from memory a few steps before.
void frmGalaxyEditor::RelabelNodes() {
    constexpr size_t kAhead = 8;
    std::vector<const Ptr*> objects;
    objects.reserve(m_document->parser()->objects.count());
    for (const Ptr& object : m_document->parser()->objects)
        objects.push_back(&object);
    struct Relabelled {
        GalaxyTreeNode* node;
        const Ptr* object;
    };
    std::vector<Relabelled> nodes;
    nodes.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        if (i + kAhead < objects.size())
            __builtin_prefetch(&(*objects[i + kAhead])->ID);
        if (GalaxyTreeNode* node = NodeOfId((*objects[i])->ID))
            nodes.push_back({node, objects[i]});
    }
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (i + kAhead < nodes.size()) {
            nodes[i + kAhead].node->PrefetchLabel();
            clsGalaxyParser::PrefetchNaming(**nodes[i + kAhead].object);
        }
        nodes[i].node->SetLabel(GetNodeLabel(*nodes[i].object));
    }
}

GalaxyTreeNode* frmGalaxyEditor::NodeOfId(int32_t id) const {
    return id >= 0 && id < std::ssize(m_objectNodes) ? m_objectNodes[id] : nullptr;
}

// Selection.

QTreeWidgetItem* frmGalaxyEditor::SelectedNode() const {
    return platform::ChosenItem(Tree);
}

void frmGalaxyEditor::SelectNode(QTreeWidgetItem* node) {
    if (!node) {
        node = SelectedNode();
        if (!node && Tree->topLevelItemCount() > 0) {
            node = Tree->topLevelItem(0);
            ++m_treeUpdates;
            Tree->setCurrentItem(node);
            --m_treeUpdates;
        }
    }
    ShowNode(node);
}

void frmGalaxyEditor::ShowNode(QTreeWidgetItem* node) {
    if (m_find)
        m_find->ClearTag();
    SetSelectedObject(ObjectOf(node));
}

void frmGalaxyEditor::SelectObjectNode(const Ptr& object) {
    ++m_treeUpdates;
    if (QTreeWidgetItem* node = NodeOf(object)) {
        Tree->setCurrentItem(node);
        Tree->scrollToItem(node);
    } else {
        // An object the tree does not show: no node stays highlighted for it.
        Tree->clearSelection();
    }
    --m_treeUpdates;
    SetSelectedObject(object);
}

void frmGalaxyEditor::SetSelectedObject(const Ptr& object) {
    m_selected = object;
    ShowSelection();
}

void frmGalaxyEditor::ShowSelection() {
    UpdateObjectLabel(m_selected);
    ObjectEdit->ShowObject(m_document, m_selected);
    if (m_map)
        m_map->SelectGalObject(m_selected);
    if (m_universe)
        m_universe->SelectSector(mdlCommon::GetSectorOf(m_selected));
}

void frmGalaxyEditor::UpdateObjectLabel(const Ptr& object) {
    QString label;
    if (object) {
        label = object->ObjectTypeName();
        mdlComFunctions::AppendWithSeparator(label, m_document->parser()->GetObjectName(object),
                                             QStringLiteral(" - "));
    }
    lblObjectName->setText(label);
}

void frmGalaxyEditor::NotifyObjectModified(const Ptr& object, bool noRefresh) {
    if (!object)
        return;
    if (object->Dirty && !Modified())
        m_document->SetModified(true);
    UpdateCaption();
    if (m_document->Contains(object))
        UpdateObjectNode(object, false);
    ForEachMap([&object](GalaxyMapView& map) { map.ObjectModified(object); });
    if (!noRefresh)
        SetSelectedObject(m_selected);
    else if (object == m_selected)
        UpdateObjectLabel(object);
}

// Find.

void frmGalaxyEditor::ShowFindWindow() {
    if (m_find) {
        m_find->raise();
        m_find->activateWindow();
        return;
    }
    m_find = new frmFind(this);
    connect(m_find, &frmFind::OnFindNext, this, &frmGalaxyEditor::m_find_OnFindNext);
    connect(m_find, &frmFind::OnClose, this, [this] { m_find = nullptr; });
    m_find->ShowFind(false, this);
}

void frmGalaxyEditor::m_find_OnFindNext(bool wholeWords, bool, QString& text, QVariant& position,
                                        bool& found) {
    found = FindNextNode(wholeWords, text, position);
}

bool frmGalaxyEditor::FindNextNode(bool wholeWords, const QString& text, QVariant& position) {
    QTreeWidgetItem* start = SelectedNode();
    if (!start)
        return false;
    const QString lastFound = position.toString();
    // Every node from the start on, in tree order: its subtree, its later
    // siblings, then the later siblings of its ancestors.
    for (QTreeWidgetItemIterator it(start); *it; ++it) {
        QTreeWidgetItem* node = *it;
        if (!lastFound.isEmpty() && node->data(0, kKeyRole).toString() == lastFound)
            continue;
        if (!GalaxyTreeRules::TextMatches(node->text(0), text, wholeWords))
            continue;
        ++m_treeUpdates;
        node = RevealNode(node);
        Tree->setCurrentItem(node);
        --m_treeUpdates;
        SelectNode(node);
        position = node->data(0, kKeyRole).toString();
        return true;
    }
    return false;
}

// Scrolls the node into view. Opening a placeholder's sector reads it, and
// the place then holds the sector's first child, or the sector itself when
// it has none; the node in the place is returned.
QTreeWidgetItem* frmGalaxyEditor::RevealNode(QTreeWidgetItem* node) {
    if (QTreeWidgetItem* sector = node->parent(); sector && IsPlaceholder(node)) {
        const int index = sector->indexOfChild(node);
        Tree->expandItem(sector);
        node = index < sector->childCount() ? sector->child(index) : sector;
    }
    Tree->scrollToItem(node);
    return node;
}

// Closing.

void frmGalaxyEditor::closeEvent(QCloseEvent* event) {
    if (mdlCommon::IsBusy(this)) {
        event->ignore();
        return;
    }
    if (!m_unloadConfirmed) {
        if ((m_map && !m_map->QueryUnload()) || !AskToSave(m_prompts)) {
            event->ignore();
            return;
        }
        m_unloadConfirmed = true;
    }
    UnloadMaps();
    if (m_find)
        m_find->close();
    SaveEditorSettings();
    ObjectEdit->Term();
    event->accept();
}
