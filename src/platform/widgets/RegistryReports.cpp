#include "platform/widgets/RegistryReports.h"

#include "platform/Prompts.h"
#include "platform/Registry.h"

#include <QPointer>

namespace platform {

void installRegistryReports(QObject* context) {
    Registry::setReportListener([target = QPointer<QObject>(context)] {
        if (target)
            QMetaObject::invokeMethod(target, &showRegistryReports, Qt::QueuedConnection);
    });
}

void showRegistryReports() {
    for (const QString& text : Registry::takeReports())
        prompts().ask({QStringLiteral("Zorv Editor"), text, PromptIcon::Critical});
}

} // namespace platform
