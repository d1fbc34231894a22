#include "platform/HelpPages.h"

#include <QDir>

namespace platform {

QUrl HelpPageUrl(const QString& folder, const QString& topic) {
    const QString page = topic.isEmpty() ? QStringLiteral("index.html") : topic;
    return QUrl::fromLocalFile(QDir(folder).filePath(page));
}

} // namespace platform
