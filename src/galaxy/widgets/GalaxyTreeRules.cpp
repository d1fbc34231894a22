#include "galaxy/widgets/GalaxyTreeRules.h"

#include "galaxy/clsGalaxyParser.h"

namespace GalaxyTreeRules {

namespace {

constexpr int32_t kSectorType = 1;

QString SubObjectImageKey(int32_t subtype) {
    switch (subtype) {
    case 1:
        return QStringLiteral("shield");
    case 2:
        return QStringLiteral("laser");
    case 4:
        return QStringLiteral("upgrade");
    case 5:
        return QStringLiteral("d_ships");
    case 6:
    case 8:
        return QStringLiteral("p_res");
    case 7:
        return QStringLiteral("product");
    case 9:
        return QStringLiteral("f_ships");
    default:
        return QString();
    }
}

} // namespace

QString NodeLabel(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object, int32_t filter) {
    // Built in place: a tree asks for thousands of labels.
    QString label;
    const auto append = [&label](const QString& part) {
        if (part.isEmpty())
            return;
        if (!label.isEmpty())
            label += QLatin1String(" - ");
        label += part;
    };
    if (filter & kShowClass) {
        label.reserve(64);
        label += u'[';
        label += object->ObjectTypeName();
        label += u']';
    }
    if (filter & kShowID)
        append(document.GetObjectID(object));
    if (filter & kShowName)
        append(document.GetObjectName(object));
    return label;
}

QString ImageKey(const clsGalaxyObject& object) {
    const int32_t type = object.otype();
    if (type >= 11 && type <= 16)
        return QStringLiteral("ware");
    switch (type) {
    case 1:
        return object.Loaded ? QStringLiteral("sector") : QStringLiteral("sector_noload");
    case 2:
        return QStringLiteral("background");
    case 3:
        return QStringLiteral("sun");
    case 4:
        return QStringLiteral("planet");
    case 5:
        return QStringLiteral("dock");
    case 6:
        return QStringLiteral("factory");
    case 7:
        return QStringLiteral("ship");
    case 8:
        return QStringLiteral("laser");
    case 9:
        return QStringLiteral("shield");
    case 10:
        return QStringLiteral("missile");
    case 17:
        return QStringLiteral("asteroid");
    case 18:
        return QStringLiteral("gate");
    case 21:
        return QStringLiteral("nebula");
    case 23:
        return SubObjectImageKey(object.subtype());
    default:
        return QString();
    }
}

QString DragIconKey(const clsGalaxyObject::Ptr& dragged, const clsGalaxyObject::Ptr& target,
                    bool asChild) {
    const QString nop = QStringLiteral("nop");
    if (!dragged || !target || dragged == target)
        return nop;
    const bool draggedSector = dragged->otype() == kSectorType;
    if (asChild)
        return draggedSector ? nop : QStringLiteral("moveparent");
    const bool allowed = draggedSector ? target->otype() < 2 : target->otype() != kSectorType;
    return allowed ? QStringLiteral("movesiblink") : nop;
}

bool TextMatches(const QString& nodeText, const QString& text, bool wholeWords) {
    if (wholeWords)
        return nodeText.compare(text, Qt::CaseInsensitive) == 0;
    return nodeText.contains(text, Qt::CaseInsensitive);
}

} // namespace GalaxyTreeRules
