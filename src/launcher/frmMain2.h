// The launcher: one large icon per tool (the three editors, the game, the mod
// manager, the user's own program, the 3D viewer, settings, help, about),
// freely placed on a grid, renamable with F2. It also handles the command
// line once when it is first shown.
#pragma once

#include "platform/Prompts.h"

#include <QStringList>
#include <QWidget>

class QListWidgetItem;
class QMenu;
class QAction;

namespace launcher {

class LauncherActions;
class LauncherView;

class frmMain2 : public QWidget {
    Q_OBJECT

public:
    // actions is not owned and must outlive the window.
    explicit frmMain2(LauncherActions& actions, QWidget* parent = nullptr);

    // The arguments after the program's name; the application's by default.
    void SetCommandLine(const QStringList& arguments) { m_arguments = arguments; }
    void MyShow(bool modal = false, QWidget* owner = nullptr);

    LauncherView* View = nullptr;

    // Activates the item with the key, as a double click on it does.
    void ExecuteItem(const QString& key);
    // The grid the icons snap to; empty until the window was first shown.
    QSize CellSize() const { return {m_cellWidth, m_cellHeight}; }
    void ArrangeIcons();
    void SnapIconToGrid(QListWidgetItem* item);
    void ShowSettingsAndRefresh();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    void BuildItems();
    QListWidgetItem* AddItem(const QString& key, const QString& caption, const QIcon& icon);
    void AddProgramItem(const QString& key, const QString& path, const QString& caption);
    void RefreshProgramItem(const QString& key, const QString& path);
    void ProcessCommandLine();
    void ExecuteSelectedItem();
    void RunProgram(const QString& path);
    void ShowIconMenu(const QPoint& globalPosition);
    void RenameSelected();
    void OnItemChanged(QListWidgetItem* item);
    void MeasureCells();
    void FitToItems();

    LauncherActions& m_actions;
    QStringList m_arguments;
    QMenu* m_popup = nullptr;
    QAction* m_autoArrange = nullptr;
    QAction* m_rename = nullptr;
    QListWidgetItem* m_pressed = nullptr;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    bool m_arranged = false;
};

} // namespace launcher
