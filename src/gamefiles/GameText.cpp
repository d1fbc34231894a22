#include "gamefiles/GameText.h"

#include <QByteArrayView>

namespace gamefiles {

QString DecodeText(const QByteArray& bytes) {
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}

QByteArray EncodeText(const QString& text) {
    return text.toUtf8();
}

} // namespace gamefiles
