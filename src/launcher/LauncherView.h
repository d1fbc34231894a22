// The launcher's icon list: a list in icon mode whose items are placed at
// positions of the launcher's choosing, in the list's content coordinates.
#pragma once

#include <QListWidget>

namespace launcher {

class LauncherView : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

    QPoint ItemPosition(const QListWidgetItem* item) const {
        return visualItemRect(item).topLeft() + QPoint(horizontalOffset(), verticalOffset());
    }
    void PlaceItem(const QListWidgetItem* item, const QPoint& position) {
        setPositionForIndex(position, indexFromItem(item));
    }
};

} // namespace launcher
