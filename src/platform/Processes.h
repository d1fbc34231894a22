// Outside programs are started as separate processes from a program path and
// an argument list, never through a shell or one spliced command string.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Splits a command-line template into arguments (blanks separate them,
// double quotes group them) and then replaces every "%1" inside each
// argument by the value, so a value with blanks or quotes stays one argument.
QStringList TemplateArguments(const QString& commandTemplate, const QString& value);

// Starts the program detached from this one, in the working folder when one
// is given; neither waited for nor watched. False, with the reason in error,
// when it cannot be started.
bool StartDetached(const QString& program, const QStringList& arguments, QString& error,
                   const QString& workingDirectory = QString());

} // namespace platform
