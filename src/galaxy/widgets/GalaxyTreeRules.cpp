#include "galaxy/widgets/GalaxyTreeRules.h"

#include "galaxy/clsGalaxyParser.h"

#include <algorithm>

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

LabelParts NodeLabel(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                     int32_t filter) {
    const bool showClass = filter & kShowClass;
    return {showClass ? object->ObjectTypeName() : QString(),
            (filter & kShowID) ? document.GetObjectID(object) : QString(),
            (filter & kShowName) ? document.GetObjectName(object) : QString(), showClass};
}

const Label& NodeLabels::Of(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                            int32_t filter) {
    const quint64 key = document.KeptTextsKey(*object);
    if (!key) {
        m_made = std::make_shared<const LabelParts>(NodeLabel(document, object, filter));
        return m_made;
    }
    if (&document != m_document || document.KeptTextsGeneration() != m_generation ||
        filter != m_filter) {
        m_kept.clear();
        m_document = &document;
        m_generation = document.KeptTextsGeneration();
        m_filter = filter;
    }
    const auto kept = m_kept.constFind(key);
    if (kept != m_kept.constEnd())
        return *kept;
    return *m_kept.insert(key,
                          std::make_shared<const LabelParts>(NodeLabel(document, object, filter)));
}

LabelParts LabelParts::Of(QString text) {
    LabelParts parts;
    parts.name = std::move(text);
    return parts;
}

// The parts are joined in one allocation, and a label of one part is that
// part itself.
QString LabelParts::Joined() const {
    if (!showClass) {
        if (id.isEmpty())
            return name;
        if (name.isEmpty())
            return id;
    }
    static constexpr char16_t kSeparator[] = u" - ";
    constexpr qsizetype kSeparatorSize = 3;
    const QString* parts[] = {&id, &name};
    qsizetype size = showClass ? type.size() + 2 : 0;
    for (const QString* part : parts)
        if (!part->isEmpty())
            size += (size > 0 ? kSeparatorSize : 0) + part->size();
    QString label(size, Qt::Uninitialized);
    QChar* at = label.data();
    const auto put = [&at](const QChar* text, qsizetype count) {
        std::copy_n(text, count, at);
        at += count;
    };
    if (showClass) {
        *at++ = u'[';
        put(type.constData(), type.size());
        *at++ = u']';
    }
    for (const QString* part : parts) {
        if (part->isEmpty())
            continue;
        if (at != label.constData())
            put(reinterpret_cast<const QChar*>(kSeparator), kSeparatorSize);
        put(part->constData(), part->size());
    }
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
