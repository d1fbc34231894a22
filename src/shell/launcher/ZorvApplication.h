// The application object: the one boundary where an exception that escaped
// an event handler is caught and shown, so one fault never closes every
// editor with unsaved work.
#pragma once

#include <QApplication>

namespace launcher {

class ZorvApplication : public QApplication {
public:
    ZorvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace launcher
