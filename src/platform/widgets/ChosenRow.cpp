#include "platform/widgets/ChosenRow.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QTreeWidget>

namespace platform {
namespace {

template <class List> auto chosenItem(const List* list) -> decltype(list->currentItem()) {
    if (!list)
        return nullptr;
    const auto current = list->currentItem();
    if (current && current->isSelected())
        return current;
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Takes Enter on a chosen row and acts on it; the view's own handling would
// act and then pass the key on to the window's default button.
class EnterOnChosenRow : public QObject {
public:
    EnterOnChosenRow(QAbstractItemView* view, std::function<void(const QModelIndex&)> slot)
        : QObject(view), m_view(view), m_slot(std::move(slot)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // While a caption is edited, its editor has the keys.
        if (watched != m_view || !isEnter(event))
            return false;
        const QModelIndex row = ChosenRow(m_view);
        if (!row.isValid())
            return false;
        m_slot(row);
        return true;
    }

private:
    QAbstractItemView* m_view;
    std::function<void(const QModelIndex&)> m_slot;
};

} // namespace

QModelIndex ChosenRow(const QAbstractItemView* view) {
    const QItemSelectionModel* selection = view ? view->selectionModel() : nullptr;
    if (!selection)
        return {};
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && selection->isSelected(current))
        return current;
    const QModelIndexList selected = selection->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

QTreeWidgetItem* ChosenItem(const QTreeWidget* list) {
    return chosenItem(list);
}

QListWidgetItem* ChosenItem(const QListWidget* list) {
    return chosenItem(list);
}

void OnChosenRowChanged(QAbstractItemView* view, QObject* context, std::function<void()> slot) {
    if (auto* tree = qobject_cast<QTreeWidget*>(view))
        QObject::connect(tree, &QTreeWidget::itemSelectionChanged, context, std::move(slot));
    else if (auto* list = qobject_cast<QListWidget*>(view))
        QObject::connect(list, &QListWidget::itemSelectionChanged, context, std::move(slot));
    else
        QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, context,
                         [slot = std::move(slot)] { slot(); });
}

void OnChosenRowActivated(QAbstractItemView* view, QObject* context,
                          std::function<void(const QModelIndex& row)> slot) {
    QObject::connect(view, &QAbstractItemView::activated, context,
                     [view, slot](const QModelIndex& row) {
                         if (view->selectionModel()->isSelected(row))
                             slot(row);
                     });
    view->installEventFilter(new EnterOnChosenRow(view, std::move(slot)));
}

} // namespace platform
