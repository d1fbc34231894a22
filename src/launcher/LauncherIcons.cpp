#include "launcher/LauncherIcons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace launcher {

namespace {

struct Tile {
    QColor color;
    QString glyph;
};

QIcon drawTile(const Tile& tile) {
    constexpr int kSize = 48;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(tile.color.darker(160));
    painter.setBrush(tile.color);
    painter.drawRoundedRect(QRectF(2.5, 2.5, kSize - 5, kSize - 5), 8, 8);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(tile.glyph.size() > 1 ? 16 : 24);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, tile.glyph);
    return QIcon(pixmap);
}

} // namespace

QIcon BuiltInIcon(const QString& key) {
    static const QHash<QString, Tile> tiles = {
        {QStringLiteral("te"), {QColor(40, 110, 180), QStringLiteral("T")}},
        {QStringLiteral("ge"), {QColor(20, 120, 60), QStringLiteral("\u2736")}},
        {QStringLiteral("tre"), {QColor(150, 90, 30), QStringLiteral("Aa")}},
        {QStringLiteral("settings"), {QColor(90, 90, 100), QStringLiteral("\u2699")}},
        {QStringLiteral("help"), {QColor(60, 60, 160), QStringLiteral("?")}},
        {QStringLiteral("about"), {QColor(120, 60, 140), QStringLiteral("i")}},
        {QStringLiteral("empty"), {QColor(200, 200, 200), QString()}},
    };
    static QHash<QString, QIcon> drawn;
    const auto tile = tiles.constFind(key);
    if (tile == tiles.constEnd())
        return {};
    auto icon = drawn.find(key);
    if (icon == drawn.end())
        icon = drawn.insert(key, drawTile(*tile));
    return *icon;
}

} // namespace launcher
