// The application object: the one boundary where an exception that escaped
// an event handler is caught and shown, so one fault never closes every
// editor with unsaved work.
#pragma once

#include <QApplication>

#include <functional>

namespace launcher {

class ZorvApplication : public QApplication {
public:
    ZorvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one event's delivery; what it throws, running out of memory too, is
// shown through the prompts and gives false, and the program goes on.
bool deliverShowingErrors(const std::function<bool()>& deliver);

} // namespace launcher
