// The program's start-up: constant tables, the three global objects, the
// temporary folder, the game's files with the active mod, the resource
// strings, then the launcher. An unexpected error names the step it
// happened in and ends the program.
#pragma once

#include <QStringList>

#include <memory>

namespace launcher {

class LauncherActions;
class frmMain2;

// The launcher shown, or nothing after the start-up error was shown. The
// arguments are those after the program's name.
std::unique_ptr<frmMain2> Main(LauncherActions& actions, const QStringList& arguments);

} // namespace launcher
