#include "resources/LanguageFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <optional>

namespace LanguageFiles {
namespace {

bool IsPlain(const QString& suffix) {
    return suffix.compare(u"xml", Qt::CaseInsensitive) == 0;
}

bool IsPacked(const QString& suffix) {
    return suffix.compare(u"pck", Qt::CaseInsensitive) == 0;
}

// The language's files in the folder, plain and packed.
QFileInfoList LanguageEntries(const QString& folder, int32_t langId) {
    const QString prefix = LanguagePrefix(langId);
    QFileInfoList found;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({prefix + "*"}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries)
        if (IsPlain(entry.suffix()) || IsPacked(entry.suffix()))
            found.append(entry);
    return found;
}

// The file number after the prefix; nothing when the rest is no number.
std::optional<int32_t> FileNumber(const QFileInfo& entry, int32_t langId) {
    const QString rest = entry.completeBaseName().mid(LanguagePrefix(langId).size());
    if (rest.isEmpty() ||
        !std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    bool ok = false;
    const int32_t number = rest.toInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

} // namespace

QString LanguagePrefix(int32_t langId) {
    return QStringLiteral("%1").arg(langId, 2, 10, QLatin1Char('0'));
}

QString LanguageFileName(int32_t langId, int32_t fileNumber) {
    return LanguagePrefix(langId) + QStringLiteral("%1").arg(fileNumber, 4, 10, QLatin1Char('0')) +
           QStringLiteral(".xml");
}

int32_t ProposeFileNumber(const QString& folder, int32_t langId) {
    int32_t highest = 0;
    QSet<int32_t> taken;
    for (const QFileInfo& entry : LanguageEntries(folder, langId)) {
        const auto number = FileNumber(entry, langId);
        if (!number)
            continue;
        taken.insert(*number);
        if (IsPlain(entry.suffix()))
            highest = std::max(highest, *number);
    }
    int32_t proposal = highest + 1;
    while (taken.contains(proposal) && proposal < INT32_MAX)
        ++proposal;
    return proposal;
}

QStringList MergeCandidates(const QString& folder, int32_t langId) {
    QStringList names;
    for (const QFileInfo& entry : LanguageEntries(folder, langId))
        names.append(entry.fileName());
    return names;
}

} // namespace LanguageFiles
