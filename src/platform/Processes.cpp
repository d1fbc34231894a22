#include "platform/Processes.h"

#include <QProcess>

namespace platform {

QStringList TemplateArguments(const QString& commandTemplate, const QString& value) {
    QStringList arguments = QProcess::splitCommand(commandTemplate);
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("%1"), value);
    return arguments;
}

bool StartDetached(const QString& program, const QStringList& arguments, QString& error,
                   const QString& workingDirectory) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    if (!process.startDetached()) {
        error = QStringLiteral("the program \"%1\" cannot be started: %2")
                    .arg(program, process.errorString());
        return false;
    }
    return true;
}

} // namespace platform
