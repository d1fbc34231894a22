// A window's recent-files list and the menu that offers it: newest first,
// at most clsSettings::MaxRecentFiles, each entry "N - path". The window
// reads and stores the list in its settings and opens what is chosen.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

class RecentFilesMenu : public QObject {
    Q_OBJECT

public:
    // The menu belongs to the owner.
    explicit RecentFilesMenu(QWidget* owner);

    QMenu* Menu() const { return m_menu; }
    const QStringList& Files() const { return m_files; }
    // The newest entry; "" when the list is empty.
    QString Latest() const { return m_files.value(0); }

    void SetFiles(const QStringList& files);
    // Moves the path to the front.
    void Add(const QString& path);
    void Remove(const QString& path);

signals:
    void Chosen(const QString& path);

private:
    void Rebuild();

    QMenu* m_menu;
    QStringList m_files;
};
