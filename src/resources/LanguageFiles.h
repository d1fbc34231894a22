// Names of the language files on disk: the language number in two digits,
// the file number in four, ".xml" plain or ".pck" packed (440001.xml). The
// new-file proposal and the merge list look at the disk folder only.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace LanguageFiles {

// The language number with at least two digits: 7 gives "07".
QString LanguagePrefix(int32_t langId);
// The plain file of that language and number: 44 and 3 give "440003.xml".
QString LanguageFileName(int32_t langId, int32_t fileNumber);
// One past the highest file number of the language's plain files in the
// folder, moved on past any number a plain or packed file already has; 1
// when the language has no files there.
int32_t ProposeFileNumber(const QString& folder, int32_t langId);
// The language's plain and packed files in the folder, by name.
QStringList MergeCandidates(const QString& folder, int32_t langId);

} // namespace LanguageFiles
