#include "gamefiles/GameLibrary.h"

#include "platform/ProgramPaths.h"
#include "platform/ZorvError.h"

#include <QFile>
#include <QStringList>

#include <dlfcn.h>

namespace gamefiles {

void* GameLibrary::Symbol(const char* functionName) {
    if (!m_handle)
        Open(functionName);
    dlerror();
    void* address = dlsym(m_handle, functionName);
    if (!address)
        throw platform::ZorvError(kFunctionBindError, m_fileName,
                                  QStringLiteral("The game library %1 has no function %2.")
                                      .arg(m_fileName, functionName));
    return address;
}

void GameLibrary::Open(const char* functionName) {
    const QString folder = m_folder ? QFile::decodeName(m_folder) : platform::programDir();
    const QByteArray path = QFile::encodeName(folder + u'/' + QLatin1String(m_fileName));
    m_handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        throw platform::ZorvError(
            kLibraryLoadError, m_fileName,
            QStringLiteral("Cannot load the game library %1 (needed for %2): %3")
                .arg(m_fileName, functionName, QString::fromLocal8Bit(dlerror())));
}

QString VersionText(const int32_t (&parts)[4]) {
    QStringList numbers;
    for (const int32_t part : parts)
        numbers << QString::number(part);
    return numbers.join(u'.');
}

} // namespace gamefiles
