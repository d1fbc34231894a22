#include "launcher/ZorvApplication.h"

#include "platform/Prompts.h"
#include "platform/ZorvError.h"

#include <exception>
#include <new>

namespace launcher {

ZorvApplication::ZorvApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Zorv Editor"));
}

bool ZorvApplication::notify(QObject* receiver, QEvent* event) {
    return deliverShowingErrors([&] { return QApplication::notify(receiver, event); });
}

bool deliverShowingErrors(const std::function<bool()>& deliver) {
    QString text;
    try {
        return deliver();
    } catch (const platform::ZorvError& error) {
        text = error.description();
    } catch (const std::bad_alloc&) {
        // What failed to allocate is gone again by now, so the message fits.
        text = QStringLiteral("Out of memory. The last action was not completed; save your work.");
    } catch (const std::exception& error) {
        text = QString::fromLocal8Bit(error.what());
    } catch (...) {
        text = QStringLiteral("Unknown error.");
    }
    try {
        platform::prompts().ask({QStringLiteral("Zorv Editor"),
                                 QStringLiteral("Unexpected error:\n\n%1").arg(text),
                                 platform::PromptIcon::Critical});
    } catch (...) {
        // Nothing is left to tell it with; going on still keeps the work.
    }
    return false;
}

} // namespace launcher
