// The parts of a path, as text: "\" and "/" alike are separators, and the
// file system is never touched. The game libraries' dialogs use them, so they
// live below every library.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

QString GetFileDir(const QString& path);
QString GetFileName(const QString& path);
QString GetFileExt(const QString& path);
QString GetFileTitle(const QString& path, bool withoutExtension = false);
QString GetPathDrive(const QString& path);
// Joins the parts with one separator between them: "/" when the path built
// so far (after its last "::") uses "/", else "\".
QString BuildPath(const QStringList& parts);
template <class... Parts> QString BuildPath(const QString& first, const Parts&... rest) {
    return BuildPath(QStringList{first, rest...});
}
bool EnsureExtension(QString& path, const QString& extension);

} // namespace platform
