#include "shell/launcher/ZorvApplication.h"

#include "platform/Prompts.h"
#include "platform/ZorvError.h"

#include <exception>

namespace launcher {

ZorvApplication::ZorvApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Zorv Editor"));
}

bool ZorvApplication::notify(QObject* receiver, QEvent* event) {
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const platform::ZorvError& error) {
        text = error.description();
    } catch (const std::exception& error) {
        text = QString::fromLocal8Bit(error.what());
    } catch (...) {
        text = QStringLiteral("Unknown error.");
    }
    platform::prompts().ask({QStringLiteral("Zorv Editor"),
                             QStringLiteral("Unexpected error:\n\n%1").arg(text),
                             platform::PromptIcon::Critical});
    return false;
}

} // namespace launcher
