// The launcher's actions in the running program: the real editor windows,
// dialogs and processes.
#pragma once

#include "launcher/LauncherActions.h"
#include "maps/MapViewFactory.h"

#include <QPointer>

class frmGalaxyEditor;

namespace launcher {

class ProgramActions : public LauncherActions {
public:
    // Puts the ship panels into the DIV Avuruz, the map windows into the
    // Ruvaze Rezivo, and lets every editor open the Text Resource Editor.
    ProgramActions();
    ~ProgramActions() override;
    ProgramActions(const ProgramActions&) = delete;
    ProgramActions& operator=(const ProgramActions&) = delete;

    void OpenTXTEditor(QWidget* owner, const QString& file) override;
    void OpenGalaxyEditor(QWidget* owner, const QString& file) override;
    void OpenResEditor(QWidget* owner, const QString& file) override;
    bool ShowSettings(QWidget* owner) override;
    void ShowAbout(QWidget* owner) override;
    void ShowHelp() override;
    bool RunProgram(const QString& path, QString& error) override;

private:
    // The program has one Ruvaze Rezivo, made on first use.
    MapViewFactory m_mapViews;
    QPointer<frmGalaxyEditor> m_galaxyEditor;
};

} // namespace launcher
