// SIGTERM, SIGINT and SIGHUP end the program through its event loop, so the
// normal way out runs and takes the temporary folder with it. A second
// signal ends the program at once.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace launcher {

class QuitOnSignals : public QObject {
public:
    explicit QuitOnSignals(QObject* parent = nullptr);
    ~QuitOnSignals() override;

    // 128 and the signal's number once one came, else 0.
    int exitCode() const { return m_exitCode; }

private:
    void receive();

    QSocketNotifier* m_notifier = nullptr;
    int m_exitCode = 0;
};

} // namespace launcher
