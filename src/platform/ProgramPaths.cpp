#include "platform/ProgramPaths.h"

#include <QFileInfo>

namespace platform {

QString programFilePath() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

QString programDir() {
    const QString program = programFilePath();
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
}

} // namespace platform
