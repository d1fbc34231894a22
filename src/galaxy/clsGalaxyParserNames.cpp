// The texts the windows show for map objects: IDs, names and subtypes, from
// the text resources and the records of the game's T-files.
#include "galaxy/clsGalaxyParser.h"

#include "galaxy/mdlZorvGalaxy.h"
#include "platform/BoundedArrayLookups.h"
#include "platform/ZorvError.h"
#include "resources/clsDescServer.h"
#include "tfiles/TxtValue.h"
#include "tfiles/clsArchive.h"

#include <atomic>
#include <limits>
#include <optional>

namespace {

constexpr int32_t kSector = 1;
constexpr int32_t kBackground = 2;
constexpr int32_t kGate = 18;
constexpr int32_t kContainer = 23;
// A gate of this subtype leads to no sector.
constexpr int32_t kGateWithoutTarget = 4;

constexpr int32_t kNamesPage = 17;
constexpr int32_t kSectorNamesPage = 7;
// A description number from here on names the object by itself.
constexpr int32_t kFirstOwnName = 2000;
constexpr int32_t kNameField = 6;

// At least two digits, the sign before them: 3 gives 03, -1 gives -01.
QString TwoDigits(int64_t value) {
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(2, u'0');
    return value < 0 ? u'-' + digits : digits;
}

QString NoFileText(int32_t type) {
    return QStringLiteral("[no file specified for %1]").arg(type);
}

} // namespace

std::shared_ptr<clsTxtParser> clsGalaxyParser::TFileOfType(int32_t type) {
    const QString name = mdlZorvGalaxy::GalTypeTFiles[type];
    if (name.isEmpty() || m_missingTFiles.contains(name))
        return nullptr;
    std::shared_ptr<clsTxtParser> file;
    try {
        file = Archive().GetFile(name);
    } catch (const platform::ZorvError&) {
        file = nullptr;
    }
    if (file && file->Parsed())
        return file;
    m_missingTFiles.insert(name);
    return nullptr;
}

bool clsGalaxyParser::GetRecordText(const clsTXTObject& record, int32_t mode, QString& text) {
    if (mode == kRecordID) {
        text = record.ObjectName();
        return true;
    }
    const std::optional<int32_t> nameID = tfiles::ValueLong(record.Value(kNameField));
    if (!nameID)
        return false;
    // The ID string is asked of the record only when the name is missing.
    if (const auto name = DescServer().GetString(kNamesPage, *nameID)) {
        text = name->Text();
        return true;
    }
    const QString fallback = mode == kRecordNameOnly ? QString() : record.ObjectName();
    text = DescServer().GetString2(kNamesPage, *nameID, fallback);
    return true;
}

clsGalaxyParser::TextBatch::TextBatch(clsGalaxyParser& document) : m_document(document) {
    if (m_document.m_textBatches++ == 0)
        m_document.DropChangedTexts();
}

clsGalaxyParser::TextBatch::~TextBatch() {
    --m_document.m_textBatches;
}

// The texts kept from earlier batches stay while the names page and the
// T-files they came from are the same: a language loaded anew replaces its
// pages, and a T-file is loaded once per program. The T-file cache keeps
// every file it loaded until it is replaced by a new, empty one, so the
// first file found answers for all found; each one that was missing is
// asked for again, as a map read afresh may find it.
void clsGalaxyParser::DropChangedTexts() {
    const std::shared_ptr<clsPage> page = DescServer().FindPage(kNamesPage);
    const qsizetype pageSize = page ? page->Strings.count() : -1;
    // A document's first batch takes a generation of its own.
    bool same = m_keptGeneration != 0 && page == m_textsPage.lock() && pageSize == m_textsPageSize;
    bool foundAsked = false;
    for (auto file = m_batchFiles.cbegin(); same && file != m_batchFiles.cend(); ++file) {
        if (file.value() && foundAsked)
            continue;
        foundAsked |= file.value() != nullptr;
        same = TFileOfType(file.key()) == file.value();
    }
    if (!same) {
        m_batchTexts.clear();
        m_batchFiles.clear();
        // Counted across documents: a document opened later may take the
        // place in memory of one whose labels a tree still keeps.
        static std::atomic<quint64> generations{0};
        m_keptGeneration = ++generations;
    }
    m_textsPage = page;
    m_textsPageSize = pageSize;
}

// The table's types are small and so are the modes; others are not kept.
bool clsGalaxyParser::KeepsTexts(int32_t type, int32_t mode) const {
    return m_textBatches > 0 && type >= 0 && type <= 0xFFFFFF && mode >= 0 && mode <= 0xFF;
}

bool clsGalaxyParser::GetTFileObjectText(int32_t type, int32_t subtype, QString& text,
                                         int32_t mode) {
    if (!mdlZorvGalaxy::GalTypeTFiles.contains(type)) {
        text = NoFileText(type);
        return false;
    }
    if (!KeepsTexts(type, mode))
        return LookUpTFileText(type, subtype, text, mode);
    const quint64 key = quint64(uint32_t(subtype)) << 32 | quint64(type) << 8 | quint64(mode);
    const auto cached = m_batchTexts.constFind(key);
    if (cached != m_batchTexts.constEnd()) {
        text = cached->text;
        return cached->found;
    }
    const bool found = LookUpTFileText(type, subtype, text, mode);
    m_batchTexts.insert(key, BatchText{text, found});
    return found;
}

bool clsGalaxyParser::LookUpTFileText(int32_t type, int32_t subtype, QString& text, int32_t mode) {
    std::shared_ptr<clsTxtParser> file;
    if (m_textBatches == 0) {
        file = TFileOfType(type);
    } else {
        const auto cached = m_batchFiles.constFind(type);
        file = cached != m_batchFiles.constEnd() ? *cached : TFileOfType(type);
        if (cached == m_batchFiles.constEnd())
            m_batchFiles.insert(type, file);
    }
    const auto record = file ? file->FindIndex(subtype) : nullptr;
    if (!record) {
        text = QStringLiteral("[object t=%1 s=%2]").arg(type).arg(subtype);
        return false;
    }
    if (GetRecordText(*record, mode, text))
        return true;
    text = NoFileText(type);
    return false;
}

QStringList clsGalaxyParser::GetSubTypeNames(int32_t type, int32_t mode) {
    QStringList names;
    const auto file = mdlZorvGalaxy::GalTypeTFiles.contains(type) ? TFileOfType(type) : nullptr;
    if (!file)
        return names;
    for (const auto& record : file->UnsortedObjects) {
        QString text;
        names.append(GetRecordText(*record, mode, text) ? text : NoFileText(type));
    }
    return names;
}

QString clsGalaxyParser::GetObjectID(const Ptr& object) {
    if (!object)
        return {};
    const int32_t type = object->otype();
    switch (type) {
    case kSector:
        return TwoDigits(object->x()) + QStringLiteral(", ") + TwoDigits(object->y());
    case kContainer:
        return QStringLiteral("SUB_OBJECTS");
    default: {
        QString text;
        GetTFileObjectText(type, object->subtype(), text, kRecordID);
        return text;
    }
    }
}

QString clsGalaxyParser::GetObjectName(const Ptr& object) {
    if (!object)
        return {};
    const int32_t description = object->description();
    if (description >= kFirstOwnName)
        return DescServer().GetString2(kNamesPage, description, QString());
    const int32_t type = object->otype();
    switch (type) {
    case kSector:
        return GetSectorName(object);
    case kBackground:
        return object->ObjectTypeName();
    case kContainer:
        return mdlCommon::GetArrayString(mdlZorvGalaxy::GalSubObjectNames, object->subtype());
    default: {
        QString text;
        GetTFileObjectText(type, object->subtype(), text, kRecordName);
        return text;
    }
    }
}

// The ID and the name of any other object come from its type and subtype
// alone: from the tables, the type's name or the kept T-file texts.
quint64 clsGalaxyParser::KeptTextsKey(const clsGalaxyObject& object) const {
    const int32_t type = object.otype();
    if (type == kSector || object.description() >= kFirstOwnName || !KeepsTexts(type, kRecordName))
        return 0;
    return quint64(uint32_t(object.subtype())) << 32 | quint64(type) << 1 | 1;
}

QString clsGalaxyParser::GetObjectSubType(const Ptr& object, int32_t mode) {
    if (!object)
        return {};
    const int32_t type = object->otype();
    switch (type) {
    case kSector:
    case kBackground:
        return QString::number(object->subtype());
    case kContainer:
        return mdlCommon::GetArrayString(mdlZorvGalaxy::GalSubObjectNames, object->subtype());
    default: {
        QString text;
        GetTFileObjectText(type, object->subtype(), text, mode);
        return text;
    }
    }
}

// "102", the row and the column counted from 1 as TwoDigits writes them,
// read as a number: none (0) when a part is negative, as its sign then
// stands inside, or when the number is too large.
int32_t clsGalaxyParser::GetSectorStringID(const Ptr& sector) const {
    constexpr int64_t kLargest = std::numeric_limits<int32_t>::max();
    int64_t id = 102;
    for (const int64_t part : {int64_t{sector->y()} + 1, int64_t{sector->x()} + 1}) {
        if (part < 0)
            return 0;
        int64_t scale = 100;
        while (scale <= part)
            scale *= 10;
        if (id > kLargest / scale)
            return 0;
        id = id * scale + part;
        if (id > kLargest)
            return 0;
    }
    return static_cast<int32_t>(id);
}

QString clsGalaxyParser::GetSectorName(const Ptr& sector) {
    return DescServer().GetString2(kSectorNamesPage, GetSectorStringID(sector), QString());
}

QString clsGalaxyParser::GetTargetSectorName(const Ptr& gate, bool asID) {
    if (!gate || gate->otype() != kGate || gate->subtype() == kGateWithoutTarget)
        return {};
    const Ptr sector = FindSector(gate->NamedProperty(QStringLiteral("gx")),
                                  gate->NamedProperty(QStringLiteral("gy")));
    if (!sector)
        return {};
    return asID ? GetObjectID(sector) : GetObjectName(sector);
}
