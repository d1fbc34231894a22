// What the launcher's items start. The program's own actions open the real
// windows and processes; tests put a recording one in their place.
#pragma once

#include <QString>

class QWidget;

namespace launcher {

class LauncherActions {
public:
    virtual ~LauncherActions() = default;

    virtual void OpenTXTEditor(QWidget* owner, const QString& file) = 0;
    virtual void OpenGalaxyEditor(QWidget* owner, const QString& file) = 0;
    virtual void OpenResEditor(QWidget* owner, const QString& file) = 0;
    // True when the settings dialog was closed with OK.
    virtual bool ShowSettings(QWidget* owner) = 0;
    virtual void ShowAbout(QWidget* owner) = 0;
    virtual void ShowHelp() = 0;
    // False, with the reason in error, when the program cannot be started.
    virtual bool RunProgram(const QString& path, QString& error) = 0;
};

} // namespace launcher
