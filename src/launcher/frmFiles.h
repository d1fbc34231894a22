// The modal "Loaded Files" window: every file of the virtual file system with
// the real file behind it, and the active mod's catalog.
#pragma once

#include <QDialog>

class QLineEdit;
class QTreeWidget;

namespace launcher {

class frmFiles : public QDialog {
    Q_OBJECT

public:
    explicit frmFiles(QWidget* parent = nullptr);

    void ShowFiles(bool modal, QWidget* owner);

    QLineEdit* ActiveModEdit = nullptr;
    QTreeWidget* View = nullptr;
};

} // namespace launcher
