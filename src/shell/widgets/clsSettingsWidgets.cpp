// The members of clsSettings that take a window or a list.
#include "shell/clsSettings.h"

#include "shell/mdlComFunctions.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QWidget>

#include <algorithm>

using namespace mdlComFunctions;
using platform::RegKey;

namespace {

// No window grows beyond the desktop, and one that lies off every screen is
// moved onto the primary one.
QRect onScreen(QRect rect) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return rect;
    rect.setSize(rect.size().boundedTo(primary->availableVirtualGeometry().size()));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect))
            return rect;
    const QRect area = primary->availableGeometry();
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() - rect.width() + 1));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() - rect.height() + 1));
    return rect;
}

int32_t readNumber(const RegKey& key, const QString& name, int32_t defaultValue) {
    QVariant value;
    RegQueryValue(key, name, platform::REG_DWORD, value, defaultValue);
    return value.toInt();
}

} // namespace

void clsSettings::SaveWindowPos(const QWidget* window, const QString& keyName) const {
    const RegKey key = OpenUserSubKey(keyName, true);
    if (!window || !key.isValid())
        return;
    const QRect rect = window->geometry();
    RegSetValue(key, QStringLiteral("left"), rect.left());
    RegSetValue(key, QStringLiteral("top"), rect.top());
    RegSetValue(key, QStringLiteral("width"), rect.width());
    RegSetValue(key, QStringLiteral("height"), rect.height());
}

bool clsSettings::LoadWindowPos(QWidget* window, const QString& keyName, int defaultWidth,
                                int defaultHeight) const {
    const RegKey key = OpenUserSubKey(keyName, true);
    if (!window || !key.isValid())
        return false;
    // Stored numbers are kept within what a window can take, so the rectangle
    // arithmetic cannot overflow.
    const auto coordinate = [&](const QString& name) {
        return std::clamp(readNumber(key, name, 0), 0, QWIDGETSIZE_MAX);
    };
    const auto size = [&](const QString& name, int defaultSize) {
        const int32_t stored = readNumber(key, name, defaultSize);
        return stored > 0 ? std::min(stored, QWIDGETSIZE_MAX) : defaultSize;
    };
    const QRect stored(coordinate(QStringLiteral("left")), coordinate(QStringLiteral("top")),
                       size(QStringLiteral("width"), defaultWidth),
                       size(QStringLiteral("height"), defaultHeight));
    window->setGeometry(onScreen(stored));
    return true;
}

void clsSettings::SaveIcons(const QListWidget* view) const {
    const RegKey icons =
        OpenUserSubKey(QStringLiteral("main"), true).createKey(QStringLiteral("icons"));
    if (!view || !icons.isValid())
        return;
    for (int i = 0; i < view->count(); ++i)
        SaveIconItem(icons, view->item(i));
}

void clsSettings::SaveIconItem(const RegKey& iconsKey, const QListWidgetItem* item) const {
    const QString key = item->data(kItemKeyRole).toString();
    if (!key.isEmpty())
        RegSetValue(iconsKey.createKey(key), QStringLiteral("caption"), item->text());
}

void clsSettings::LoadIcons(QListWidget* view) const {
    const RegKey icons =
        OpenUserSubKey(QStringLiteral("main"), true).openKey(QStringLiteral("icons"));
    for (const QString& name : icons.subKeyNames()) {
        QListWidgetItem* item = GetListItemByKey(view, name);
        if (!item)
            continue;
        QVariant caption;
        RegQueryValue(icons.openKey(name), QStringLiteral("caption"), platform::REG_SZ, caption,
                      name);
        item->setText(caption.toString());
    }
}
