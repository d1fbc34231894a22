#include "platform/PathParts.h"

#include <QStringList>

namespace platform {
namespace {

bool isSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

qsizetype lastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return i;
    return -1;
}

bool endsWithSeparator(const QString& text) {
    return !text.isEmpty() && isSeparator(text.back());
}

// "/" when the part after the last "::" already uses it, else "\".
QChar separatorFor(const QString& text) {
    const qsizetype catalog = text.lastIndexOf(QStringLiteral("::"));
    const QString part = catalog < 0 ? text : text.mid(catalog + 2);
    const qsizetype last = lastSeparator(part);
    return last >= 0 && part[last] == u'/' ? u'/' : u'\\';
}

} // namespace

QString GetFileDir(const QString& path) {
    const qsizetype last = lastSeparator(path);
    return last < 0 ? QString() : path.left(last);
}

QString GetFileName(const QString& path) {
    const qsizetype last = lastSeparator(path);
    return last < 0 ? QString() : path.mid(last + 1);
}

QString GetFileExt(const QString& path) {
    // Only a dot of the file name counts: "a.b\c" has no extension.
    const QString name = GetFileTitle(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString GetFileTitle(const QString& path, bool withoutExtension) {
    QString title = path.mid(lastSeparator(path) + 1);
    if (withoutExtension) {
        const qsizetype dot = title.lastIndexOf(u'.');
        if (dot >= 0)
            title.truncate(dot);
    }
    return title;
}

QString GetPathDrive(const QString& path) {
    if (path.size() >= 2 && path[1] == u':')
        return path.left(2);
    if (path.size() < 2 || !isSeparator(path[0]) || !isSeparator(path[1]))
        return {};
    // A network path: up to the separator after the share name.
    qsizetype stop = 2;
    int separators = 0;
    for (; stop < path.size() - 1; ++stop)
        if (isSeparator(path[stop]) && ++separators == 2)
            break;
    if (stop >= path.size())
        return path;
    if (isSeparator(path[stop]))
        --stop;
    return path.left(stop + 1);
}

QString BuildPath(const QStringList& parts) {
    QString text;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        text += parts[i];
        if (i + 1 < parts.size() && !endsWithSeparator(text))
            text += separatorFor(text);
    }
    if (endsWithSeparator(text))
        text.chop(1);
    return text;
}

bool EnsureExtension(QString& path, const QString& extension) {
    if (GetFileExt(path).compare(extension, Qt::CaseInsensitive) == 0)
        return false;
    if (!path.endsWith(u'.'))
        path += u'.';
    path += extension;
    return true;
}

} // namespace platform
