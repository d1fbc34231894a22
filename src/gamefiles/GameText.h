// The one rule for the 8-bit text of T-files and the game libraries: bytes
// that are valid UTF-8 are read as UTF-8, anything else as Latin-1, so no
// byte sequence is refused. Edited text is written as UTF-8, which reads
// back as the same text.
#pragma once

#include <QByteArray>
#include <QString>

namespace gamefiles {

QString DecodeText(const QByteArray& bytes);
QByteArray EncodeText(const QString& text);

} // namespace gamefiles
