#include "galaxy/widgets/GalaxyIcons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace GalaxyIcons {

namespace {

constexpr int kSize = 16;

struct Look {
    QColor color;
    bool square;
    char letter;
};

const QHash<QString, Look>& Looks() {
    static const QHash<QString, Look> looks = {
        {QStringLiteral("sector"), {QColor(40, 110, 200), true, 'S'}},
        {QStringLiteral("sector_noload"), {QColor(150, 150, 150), true, 'S'}},
        {QStringLiteral("background"), {QColor(30, 30, 60), true, 'B'}},
        {QStringLiteral("sun"), {QColor(250, 200, 30), false, 0}},
        {QStringLiteral("planet"), {QColor(60, 160, 90), false, 0}},
        {QStringLiteral("dock"), {QColor(120, 120, 200), true, 'D'}},
        {QStringLiteral("factory"), {QColor(200, 120, 60), true, 'F'}},
        {QStringLiteral("ship"), {QColor(90, 90, 90), false, 's'}},
        {QStringLiteral("laser"), {QColor(220, 50, 50), false, 'L'}},
        {QStringLiteral("shield"), {QColor(60, 140, 220), false, 'H'}},
        {QStringLiteral("missile"), {QColor(180, 60, 160), false, 'M'}},
        {QStringLiteral("ware"), {QColor(170, 140, 80), true, 'W'}},
        {QStringLiteral("asteroid"), {QColor(130, 100, 70), false, 'A'}},
        {QStringLiteral("gate"), {QColor(20, 170, 170), false, 'G'}},
        {QStringLiteral("nebula"), {QColor(180, 160, 220), false, 'N'}},
        {QStringLiteral("upgrade"), {QColor(100, 180, 60), true, 'U'}},
        {QStringLiteral("d_ships"), {QColor(90, 90, 140), true, 'd'}},
        {QStringLiteral("p_res"), {QColor(160, 130, 60), true, 'r'}},
        {QStringLiteral("product"), {QColor(200, 160, 40), true, 'p'}},
        {QStringLiteral("f_ships"), {QColor(110, 110, 170), true, 'f'}},
    };
    return looks;
}

QIcon Draw(const Look& look) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look.color.darker(150));
    painter.setBrush(look.color);
    if (look.square)
        painter.drawRoundedRect(1, 1, kSize - 3, kSize - 3, 3, 3);
    else
        painter.drawEllipse(1, 1, kSize - 3, kSize - 3);
    if (look.letter) {
        QFont font = painter.font();
        font.setPixelSize(10);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, kSize - 1, kSize - 1), Qt::AlignCenter,
                         QString(QChar::fromLatin1(look.letter)));
    }
    return QIcon(pixmap);
}

} // namespace

QIcon Icon(const QString& key) {
    static QHash<QString, QIcon> drawn;
    const auto found = drawn.constFind(key);
    if (found != drawn.constEnd())
        return *found;
    const auto look = Looks().constFind(key);
    const QIcon icon = look == Looks().constEnd() ? QIcon() : Draw(*look);
    drawn.insert(key, icon);
    return icon;
}

} // namespace GalaxyIcons
