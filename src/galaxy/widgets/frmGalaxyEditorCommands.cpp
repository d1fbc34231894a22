// The commands of the Ruvaze Rezivo that change the map or start other
// programs: the tree's popup menu, the Delete key, drag and drop in the tree,
// map files dropped on it, the game, the Text Resource Editor and the nebula
// report. The tree itself follows the document's signals.
#include "common/mdlCommonGlobals.h"
#include "galaxy/GalaxyDocument.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/widgets/GalaxyEditorRoles.h"
#include "galaxy/widgets/GalaxyTreeNode.h"
#include "galaxy/widgets/GalaxyTreeRules.h"
#include "galaxy/widgets/frmGalaxyEditor.h"
#include "galaxy/widgets/frmNewGalObject.h"
#include "platform/Processes.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/frmText.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QUrl>

using GalaxyEditorRoles::kKeyRole;

namespace {

constexpr int32_t kSectorType = 1;
constexpr int32_t kNebulaType = 21;

bool IsReportedNebula(int32_t subtype) {
    return (subtype >= 92 && subtype <= 96) || (subtype >= 107 && subtype <= 112);
}

} // namespace

void frmGalaxyEditor::BuildPopupMenu() {
    mnuPop = new QMenu(this);
    mnuPop->setObjectName(QStringLiteral("mnuPop"));
    mnuPopAddSector =
        mnuPop->addAction(QStringLiteral("Add sector"), this, [this] { AddNewObject(true); });
    mnuPopAddObj =
        mnuPop->addAction(QStringLiteral("Add object..."), this, [this] { AddNewObject(false); });
    mnuPop->addSeparator();
    mnuPopCopy = mnuPop->addAction(QStringLiteral("Copy"), this, [this] { m_copied = m_selected; });
    mnuPopPaste = mnuPop->addAction(QStringLiteral("Paste"), this, &frmGalaxyEditor::PasteObject);
    mnuPop->addSeparator();
    mnuPopDelete = mnuPop->addAction(QStringLiteral("Delete..."), this,
                                     &frmGalaxyEditor::DeleteSelectedObject);
}

void frmGalaxyEditor::ShowPopupMenu(const QPoint& point, bool popup) {
    const bool onNode = Tree->itemAt(point) != nullptr;
    mnuPopDelete->setEnabled(onNode);
    mnuPopAddObj->setEnabled(onNode);
    mnuPopCopy->setEnabled(onNode);
    mnuPopPaste->setEnabled(onNode && m_copied);
    mnuPopAddSector->setEnabled(!m_mapFileName.isEmpty());
    if (popup)
        mnuPop->popup(Tree->viewport()->mapToGlobal(point));
}

void frmGalaxyEditor::AddNewObject(bool sector) {
    if (!sector) {
        if (!m_selected)
            return;
        if (!m_selected->Loaded && !LoadSectorNode(m_selected))
            return;
    }
    const auto parser = m_document->parser();
    const Ptr object = parser->NewGalObject(sector ? nullptr : m_selected);
    frmNewGalObject dialog(this);
    if (sector)
        dialog.NewSector(*parser, object);
    else
        dialog.NewObject(*parser, object, false);
    if (dialog.ModalResult != 1)
        return;
    if (!m_document->AddNewObject(object) && !m_document->LastError().isEmpty())
        ShowError(m_document->LastError());
    UpdateCaption();
}

void frmGalaxyEditor::PasteObject() {
    if (!m_copied || !m_selected)
        return;
    const Ptr copy = m_document->PasteObject(m_copied, m_selected);
    if (!m_document->LastError().isEmpty())
        ShowError(m_document->LastError());
    if (copy)
        UpdateCaption();
}

void frmGalaxyEditor::DeleteSelectedObject() {
    const Ptr object = m_selected;
    if (!object)
        return;
    const auto parser = m_document->parser();
    const QString question = QStringLiteral("Do you really want to delete selected object ") +
                             parser->GetObjectName(object) + QStringLiteral(" (") +
                             parser->GetObjectID(object) + QStringLiteral(") ?");
    if (!m_prompts.confirm(question))
        return;
    if (!m_document->DeleteObject(object)) {
        ShowError(m_document->LastError());
        // The object may have left the map all the same.
        if (m_document->Contains(object))
            return;
    }
    UpdateCaption();
    SelectNode(nullptr);
}

QString frmGalaxyEditor::DragOverIcon(QTreeWidgetItem* dragNode, QTreeWidgetItem* targetNode,
                                      bool asChild) const {
    if (!dragNode || !targetNode || dragNode == targetNode)
        return QStringLiteral("nop");
    return GalaxyTreeRules::DragIconKey(ObjectOf(dragNode), ObjectOf(targetNode), asChild);
}

bool frmGalaxyEditor::MoveDraggedNode(QTreeWidgetItem* dragNode, QTreeWidgetItem* targetNode,
                                      bool asChild) {
    const Ptr moved = ObjectOf(dragNode);
    const Ptr target = ObjectOf(targetNode);
    if (!moved || !target) {
        ShowError(QStringLiteral("Moved node or target node not found in parser."));
        return false;
    }
    if (moved == target)
        return false;
    const QString movedKey = moved->Key();
    const QString targetKey = target->Key();
    // Reading the target replaces its gates, and with them maybe the moved node.
    if (!target->Loaded && !LoadSectorNode(target))
        return false;
    if (!m_document->Contains(moved)) {
        ShowError(QStringLiteral("Moved node or target node not found in parser."));
        return false;
    }
    ++m_treeUpdates;
    const bool done = m_document->MoveObject(moved, target, asChild);
    --m_treeUpdates;
    if (!done) {
        ShowError(m_document->LastError());
        return false;
    }
    ++m_treeUpdates;
    if (QTreeWidgetItem* old = Node(movedKey))
        RemoveNode(old);
    QTreeWidgetItem* targetItem = Node(targetKey);
    QTreeWidgetItem* parentItem = asChild ? targetItem : targetItem->parent();
    const int index = asChild      ? -1
                      : parentItem ? parentItem->indexOfChild(targetItem)
                                   : Tree->indexOfTopLevelItem(targetItem);
    QTreeWidgetItem* node = AddNode(parentItem, index, moved);
    AddObjectNode(node, moved);
    Tree->setCurrentItem(node);
    Tree->scrollToItem(node);
    --m_treeUpdates;
    UpdateCaption();
    return true;
}

bool frmGalaxyEditor::TreeDragEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            m_dragStart = mouse->position().toPoint();
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton) || m_dragNode ||
            (mouse->position().toPoint() - m_dragStart).manhattanLength() <
                QApplication::startDragDistance())
            return false;
        m_dragNode = Tree->itemAt(m_dragStart);
        if (!m_dragNode)
            return false;
        auto* drag = new QDrag(Tree);
        auto* data = new QMimeData;
        data->setText(QStringLiteral("x"));
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
        m_dragNode = nullptr;
        SelectNode(SelectedNode());
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (mdlComFunctions::HasDroppedFiles(drag->mimeData())) {
            drag->acceptProposedAction();
            return true;
        }
        const bool asChild = drag->modifiers() & Qt::AltModifier;
        const QString icon =
            DragOverIcon(m_dragNode, Tree->itemAt(drag->position().toPoint()), asChild);
        if (icon == QLatin1String("nop") && event->type() == QEvent::DragMove) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (mdlComFunctions::HasDroppedFiles(drop->mimeData())) {
            QString path = drop->mimeData()->urls().front().toLocalFile();
            drop->acceptProposedAction();
            OpenFile(path);
            return true;
        }
        drop->setDropAction(Qt::IgnoreAction);
        QTreeWidgetItem* target = Tree->itemAt(drop->position().toPoint());
        if (target && m_dragNode &&
            MoveDraggedNode(m_dragNode, target, drop->modifiers() & Qt::AltModifier)) {
            drop->setDropAction(Qt::MoveAction);
            drop->accept();
        }
        m_dragNode = nullptr;
        return true;
    }
    default:
        return false;
    }
}

bool frmGalaxyEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Tree->viewport())
        return TreeDragEvent(event) || QMainWindow::eventFilter(watched, event);
    if (watched == Tree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteSelectedObject();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmGalaxyEditor::RunGame() {
    const QString path = mdlCommon::Settings().ZorvEXEPath();
    if (path.isEmpty()) {
        m_prompts.tell(
            QStringLiteral("Program cannot found registry entry of the Zorv - Tessarine. You will "
                           "have to specify path to the game executable in the Settings window."),
            platform::PromptIcon::Exclamation);
        return;
    }
    QString error;
    platform::StartDetached(path, {}, error, mdlComFunctions::GetFileDir(path));
}

void frmGalaxyEditor::ShowTextResourceEditor() {
    if (Opener())
        Opener()(this);
}

void frmGalaxyEditor::ReportNebulaSectors() {
    QList<Ptr> found;
    for (const Ptr& sector : m_document->parser()->Sectors) {
        if (!sector->Loaded && !m_document->LoadSector(sector))
            continue;
        for (const Ptr& child : sector->Childs) {
            if (child->otype() == kNebulaType && IsReportedNebula(child->subtype())) {
                found.append(sector);
                break;
            }
        }
    }
    auto* report = new frmText(this);
    report->setAttribute(Qt::WA_DeleteOnClose);
    const auto parser = m_document->parser();
    for (const Ptr& sector : found) {
        report->AddText(parser->GetObjectName(sector) + QStringLiteral(" [") +
                        parser->GetObjectID(sector) + QStringLiteral("]\n"));
    }
    report->MyShow(QStringLiteral("Nebula sectors"), false, this);
}

// Answers of the document's signals: the tree and both map windows follow
// every change, whoever made it.

void frmGalaxyEditor::Document_SectorLoaded(const Ptr& sector) {
    if (GalaxyTreeNode* node = NodeOfId(sector->ID)) {
        const clsGalaxyParser::TextBatch labels(*m_document->parser());
        ++m_treeUpdates;
        RefillNode(node, sector);
        SetNodeLook(node, sector, false);
        --m_treeUpdates;
    }
    if (m_copied && !m_document->Contains(m_copied))
        m_copied.reset();
    if (m_selected && !m_document->Contains(m_selected))
        SelectNode(nullptr);
}

void frmGalaxyEditor::Document_ObjectAdded(const Ptr& object) {
    ++m_treeUpdates;
    UpdateObjectNode(object, true);
    --m_treeUpdates;
    ForEachMap([&object](GalaxyMapView& map) { map.ObjectAdded(object); });
}

void frmGalaxyEditor::Document_ObjectRemoved(const Ptr& object) {
    if (QTreeWidgetItem* node = NodeOf(object))
        RemoveNode(node);
    if (m_copied && !m_document->Contains(m_copied))
        m_copied.reset();
    ForEachMap([&object](GalaxyMapView& map) { map.ObjectRemoved(object); });
}

void frmGalaxyEditor::Document_ObjectMoved(const Ptr& object) {
    // A move made in the tree rebuilds its node itself; any other gets its
    // node placed anew under its new parent.
    if (m_treeUpdates == 0) {
        if (QTreeWidgetItem* node = NodeOf(object))
            RemoveNode(node);
        UpdateObjectNode(object, true);
    }
    ForEachMap([&object](GalaxyMapView& map) {
        map.ObjectRemoved(object);
        map.ObjectAdded(object);
    });
}

frmGalaxyEditor::TextEditorOpener& frmGalaxyEditor::Opener() {
    static TextEditorOpener opener;
    return opener;
}

void frmGalaxyEditor::SetTextEditorOpener(TextEditorOpener opener) {
    Opener() = std::move(opener);
}
