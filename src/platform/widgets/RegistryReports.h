// Shows what the registry queued for the person (a settings file that cannot
// be read or saved) as message boxes, from the event loop: never from inside
// the model call that noticed it.
#pragma once

#include <QObject>

namespace platform {

// The registry's reports are shown through prompts(), after the registry
// call that queued them has returned, in the event loop of context's thread.
void installRegistryReports(QObject* context);
// Shows every queued report now.
void showRegistryReports();

} // namespace platform
