#include "launcher/QuitOnSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace launcher {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A handler may only write: the event loop reads the signal's number.
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_received = 0;

extern "C" void onSignal(int number) {
    if (g_received) {
        ::signal(number, SIG_DFL);
        ::raise(number);
        return;
    }
    g_received = 1;
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

QuitOnSignals::QuitOnSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitOnSignals::receive);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int number : kSignals)
        sigaddset(&action.sa_mask, number);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals) {
        // A signal the starter ignores (nohup) stays ignored.
        struct sigaction before {};
        if (::sigaction(number, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}

QuitOnSignals::~QuitOnSignals() {
    if (!m_notifier)
        return;
    for (const int number : kSignals) {
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == onSignal)
            ::signal(number, SIG_DFL);
    }
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitOnSignals::receive() {
    unsigned char number = 0;
    if (::read(g_pipe[0], &number, 1) != 1)
        return;
    m_exitCode = 128 + number;
    QCoreApplication::exit(m_exitCode);
}

} // namespace launcher
