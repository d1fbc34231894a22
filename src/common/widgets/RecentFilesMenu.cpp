#include "common/widgets/RecentFilesMenu.h"

#include "common/mdlCommon.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QWidget* owner) : QObject(owner), m_menu(new QMenu(owner)) {
    connect(m_menu, &QMenu::triggered, this,
            [this](QAction* entry) { emit Chosen(entry->data().toString()); });
}

void RecentFilesMenu::SetFiles(const QStringList& files) {
    m_files = files;
    Rebuild();
}

void RecentFilesMenu::Add(const QString& path) {
    mdlCommon::AddRecentFile(path, m_files);
    Rebuild();
}

void RecentFilesMenu::Remove(const QString& path) {
    mdlCommon::RemoveRecentFile(path, m_files);
    Rebuild();
}

void RecentFilesMenu::Rebuild() {
    m_menu->clear();
    for (int position = 0; position < m_files.size(); ++position)
        m_menu->addAction(QStringLiteral("%1 - %2").arg(position + 1).arg(m_files[position]))
            ->setData(m_files[position]);
}
