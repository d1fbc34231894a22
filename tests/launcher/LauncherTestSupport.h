// A launcher whose actions are recorded instead of opening windows.
#pragma once

#include "launcher/LauncherActions.h"

#include <QStringList>

#include <functional>

namespace launchertest {

class RecordingActions : public launcher::LauncherActions {
public:
    QStringList calls;
    // Runs inside ShowSettings, as a person would change the settings.
    std::function<bool()> settings = [] { return false; };
    bool runResult = true;

    void OpenTXTEditor(QWidget*, const QString& file) override { calls << "tfile:" + file; }
    void OpenGalaxyEditor(QWidget*, const QString& file) override { calls << "map:" + file; }
    void OpenResEditor(QWidget*, const QString& file) override { calls << "xml:" + file; }
    bool ShowSettings(QWidget*) override {
        calls << "settings";
        return settings();
    }
    void ShowAbout(QWidget*) override { calls << "about"; }
    void ShowHelp() override { calls << "help"; }
    bool RunProgram(const QString& path, QString& error) override {
        calls << "run:" + path;
        error = "cannot start it";
        return runResult;
    }
};

} // namespace launchertest
