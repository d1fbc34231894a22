#include "galaxy/clsGalaxyObject.h"

#include "galaxy/MapNumber.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "gamefiles/clsXMLParser.h"
#include "platform/BoundedArrayLookups.h"

#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>

namespace {

constexpr char kObjectName[] = "o";
const QString kObjectTag = QString::fromLatin1(kObjectName);
constexpr int32_t kGateType = 18;
// Real maps nest four or five levels; a deeper file is refused rather than
// read with unbounded recursion.
constexpr int kMaxDepth = 256;

// xmlns declarations are the XML's own business, never map attributes.
bool IsNamespaceDeclaration(const char* name) {
    return std::strncmp(name, "xmlns", 5) == 0 && (name[5] == '\0' || name[5] == ':');
}
bool IsNamespaceDeclaration(const QString& name) {
    return name == QLatin1String("xmlns") || name.startsWith(QLatin1String("xmlns:"));
}

// The attribute names of the map format. A read attribute of one of these
// names shares its text instead of getting a string of its own: one
// allocation less for nearly every attribute of a map.
const QString kMapAttributeNames[] = {
    QStringLiteral("t"),   QStringLiteral("s"),       QStringLiteral("x"),
    QStringLiteral("y"),   QStringLiteral("z"),       QStringLiteral("a"),
    QStringLiteral("b"),   QStringLiteral("g"),       QStringLiteral("r"),
    QStringLiteral("n"),   QStringLiteral("id"),      QStringLiteral("color"),
    QStringLiteral("gid"), QStringLiteral("gtid"),    QStringLiteral("gx"),
    QStringLiteral("gy"),  QStringLiteral("aamount"), QStringLiteral("atype"),
    QStringLiteral("ff"),  QStringLiteral("fc"),      QStringLiteral("fn"),
    QStringLiteral("m")};

constexpr int kNotMapName = -1;

// The map's names by their first letter, made once when the program starts
// so that reading a name checks no guard of a first use.
struct MapNameTables {
    // The one-letter names, the most common, by their letter.
    std::array<int8_t, 128> byLetter;
    // The longer ones by their first letter: each letter starts few of them.
    std::array<std::array<int8_t, 6>, 128> byFirst;
};
const MapNameTables kMapNameTables = [] {
    MapNameTables tables;
    tables.byLetter.fill(kNotMapName);
    for (auto& letter : tables.byFirst)
        letter.fill(kNotMapName);
    for (int i = 0; i < static_cast<int>(std::size(kMapAttributeNames)); ++i) {
        const char16_t first = kMapAttributeNames[i][0].unicode();
        if (kMapAttributeNames[i].size() == 1) {
            tables.byLetter[first] = static_cast<int8_t>(i);
        } else {
            auto& letter = tables.byFirst[first];
            *std::find(letter.begin(), letter.end(), kNotMapName) = static_cast<int8_t>(i);
        }
    }
    return tables;
}();

// The place of a NUL-ended UTF-8 name among kMapAttributeNames, or
// kNotMapName; read without measuring the name first.
int MapNamePlace(const char* utf8) {
    const auto& [byLetter, byFirst] = kMapNameTables;
    const auto first = static_cast<unsigned char>(utf8[0]);
    if (first == 0 || first >= byLetter.size())
        return kNotMapName;
    if (utf8[1] == '\0')
        return byLetter[first];
    // The names are ASCII, so a byte that differs, the end included, stops
    // the comparison before it passes the end of either.
    const auto same = [utf8](const QString& name) {
        qsizetype i = 1;
        for (; i < name.size(); ++i)
            if (name[i].unicode() != static_cast<unsigned char>(utf8[i]))
                return false;
        return utf8[i] == '\0';
    };
    for (const int8_t place : byFirst[first]) {
        if (place == kNotMapName)
            break;
        if (same(kMapAttributeNames[place]))
            return place;
    }
    return kNotMapName;
}

constexpr std::size_t kFewAttributes = 16;

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Names compared ignoring letter case; plain ASCII names, the usual ones, are
// compared here without the general case folding.
bool SameNameIgnoringCase(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x >= 0x80 || y >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        if (AsciiLower(x) != AsciiLower(y))
            return false;
    }
    return true;
}

clsGalaxyObject::Attributes::const_iterator FindIn(const clsGalaxyObject::Attributes& attributes,
                                                   const QString& name) {
    return std::find_if(attributes.begin(), attributes.end(), [&](const auto& property) {
        return SameNameIgnoringCase(property->Name, name);
    });
}

// The attributes of an element as they are read, before the object takes them.
struct ReadAttribute {
    // Its place among kMapAttributeNames, or kNotMapName.
    int known = kNotMapName;
    int32_t value = 0;
    // Only for a name that is not one of the map's own, which need no
    // string of their own.
    QString other;

    const QString& Name() const { return known == kNotMapName ? other : kMapAttributeNames[known]; }
};
using ReadList = QVarLengthArray<ReadAttribute, kFewAttributes>;

const ReadAttribute* FindIn(const ReadList& read, const QString& name) {
    for (const ReadAttribute& attribute : read)
        if (SameNameIgnoringCase(attribute.Name(), name))
            return &attribute;
    return nullptr;
}

bool TryInsert(QSet<QString>& set, const QString& value) {
    const qsizetype before = set.size();
    set.insert(value);
    return set.size() != before;
}

// True when an attribute of the same name ignoring case was read before. A
// short list is searched; from kFewAttributes on, the folded names go into a
// set, so an element with unusually many attributes is not read in quadratic
// time.
bool IsCaseTwin(const ReadList& before, QSet<QString>& folded, const QString& name) {
    if (std::size_t(before.size()) < kFewAttributes)
        return FindIn(before, name) != nullptr;
    if (folded.isEmpty())
        for (const ReadAttribute& attribute : before)
            folded.insert(attribute.Name().toCaseFolded());
    return !TryInsert(folded, name.toCaseFolded());
}

// Tells whether a name read from an element differs only in letter case
// from one read before it. The map's own names, which never differ only in
// case from each other, are told apart by a bit each, so an element holding
// only those is checked in constant time per name; any other name, and every
// name after one, goes through IsCaseTwin.
class CaseTwins {
public:
    bool Check(const ReadList& before, const QString& name, int known) {
        if (known != kNotMapName) {
            const uint32_t bit = uint32_t{1} << known;
            if (m_mapNames & bit)
                return true;
            m_mapNames |= bit;
            if (!m_otherNames)
                return false;
        }
        m_otherNames = true;
        return IsCaseTwin(before, m_folded, name);
    }

private:
    static_assert(std::size(kMapAttributeNames) <= 32);
    uint32_t m_mapNames = 0;
    bool m_otherNames = false;
    QSet<QString> m_folded;
};

// A gate element: its type is 18.
bool IsGate(const clsXMLParser::ChildElement& element) {
    // Most types are one or two plain digits: told apart without reading a
    // number.
    const char* const text = element.AttrText("t");
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text[0] >= '1' && text[0] <= '9' &&
        (text[1] == '\0' || (digit(text[1]) && text[2] == '\0')))
        return text[0] == '1' && text[1] == '8';
    int32_t type = 0;
    return mapnumber::Read(text, type) == mapnumber::Result::Number && type == kGateType;
}

} // namespace

clsGalaxyObject::~clsGalaxyObject() {
    // Only attributes someone else still holds must forget the object: the
    // others go with it.
    if (m_readBlock.use_count() > 1)
        for (std::size_t i = 0; i < m_readCount; ++i)
            m_readBlock[i].Value.m_owner = nullptr;
    for (const auto& added : m_added)
        if (added.use_count() > 1)
            added->Value.m_owner = nullptr;
}

void clsGalaxyObject::Release(const Attributes& attributes) {
    for (const auto& property : attributes)
        property->Value.m_owner = nullptr;
}

clsGalaxyObject::Attributes::const_iterator
clsGalaxyObject::FindProperty(const QString& name) const {
    return FindIn(m_attributes, name);
}

std::shared_ptr<clsProperty> clsGalaxyObject::Shared(clsProperty* property) const {
    const std::less<const clsProperty*> before;
    if (m_readBlock && !before(property, m_readBlock.get()) &&
        before(property, m_readBlock.get() + m_readCount))
        return std::shared_ptr<clsProperty>(m_readBlock, property);
    const auto added = std::find_if(m_added.begin(), m_added.end(),
                                    [&](const auto& owned) { return owned.get() == property; });
    return added == m_added.end() ? nullptr : *added;
}

std::shared_ptr<clsProperty> clsGalaxyObject::Property(int32_t position) const {
    if (position < 1 || position > PropertyCount())
        return nullptr;
    return Shared(m_attributes[position - 1]);
}

std::shared_ptr<clsProperty> clsGalaxyObject::Property(const QString& name) const {
    const auto found = FindProperty(name);
    return found == m_attributes.end() ? nullptr : Shared(*found);
}

int32_t clsGalaxyObject::NamedProperty(const QString& name) const {
    const auto found = FindProperty(name);
    return found == m_attributes.end() ? 0 : int32_t((*found)->Value);
}

inline int clsGalaxyObject::KnownPlace(const QString& name, int mapName) {
    // The places of t, s, x, y, z and n among kMapAttributeNames, and the
    // other way round.
    static constexpr int kMapPlaces[kKnownCount] = {0, 1, 2, 3, 4, 9};
    static constexpr auto places = [] {
        std::array<int8_t, std::size(kMapAttributeNames)> table{};
        table.fill(-1);
        for (int place = 0; place < kKnownCount; ++place)
            table[kMapPlaces[place]] = static_cast<int8_t>(place);
        return table;
    }();
    if (mapName != kNotMapName)
        return places[static_cast<std::size_t>(mapName)];
    // Another spelling of one of them, such as "T".
    if (name.size() != 1)
        return -1;
    for (int place = 0; place < kKnownCount; ++place)
        if (SameNameIgnoringCase(name, kMapAttributeNames[kMapPlaces[place]]))
            return place;
    return -1;
}

inline void clsGalaxyObject::SetKnown(int place, int32_t value, uint32_t& found) {
    // The first attribute of a name counts, as in NamedProperty.
    if (place < 0 || (found >> place & 1))
        return;
    m_known[static_cast<std::size_t>(place)] = value;
    found |= uint32_t{1} << place;
}

void clsGalaxyObject::RefreshKnown() {
    m_known.fill(0);
    uint32_t found = 0;
    for (const auto& property : m_attributes)
        SetKnown(KnownPlace(property->Name, kNotMapName), property->Value, found);
}

QString clsGalaxyObject::Key() const {
    return IndexKey().toString();
}

QString clsGalaxyObject::ObjectTypeName() const {
    return mdlCommon::GetArrayString(mdlZorvGalaxy::GalObjectTypeNames, otype());
}

// An absent key changes nothing, so the element keeps its texts as read.
void clsGalaxyObject::RemoveProperty(const QString& name) {
    const auto found = FindProperty(name);
    if (found != m_attributes.end())
        TakeOut(found);
}

void clsGalaxyObject::RemoveProperty(int32_t position) {
    if (position >= 1 && position <= PropertyCount())
        TakeOut(m_attributes.begin() + (position - 1));
}

void clsGalaxyObject::TakeOut(Attributes::const_iterator at) {
    clsProperty* const property = *at;
    property->Value.m_owner = nullptr;
    m_attributes.erase(at);
    // A holder of an added one keeps it; a read one stays in the block.
    std::erase_if(m_added, [&](const auto& owned) { return owned.get() == property; });
    RefreshKnown();
    Dirty = true;
}

void clsGalaxyObject::AddProperty(const QString& name, int32_t value) {
    const auto found = FindProperty(name);
    if (found != m_attributes.end()) {
        (*found)->Value = value;
    } else {
        auto added = std::make_shared<clsProperty>();
        added->Name = name;
        added->Value = value;
        added->Value.m_owner = this;
        m_attributes.push_back(added.get());
        m_added.push_back(std::move(added));
        RefreshKnown();
    }
    Dirty = true;
}

clsGalaxyObject::SectorGates::SectorGates(const clsXMLParser& xml) {
    // The gates in walk order first, each with its sector's place.
    std::vector<std::pair<uint32_t, clsXMLParser::ChildElement>> found;
    const std::size_t sectors = xml.VisitGrandchildren(
        [&found](std::size_t sector, const clsXMLParser::ChildElement& element) {
            if (IsGate(element))
                found.emplace_back(static_cast<uint32_t>(sector), element);
        });
    // Sorted by sector, keeping each sector's in order.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    m_firstGates.assign(sectors + 1, 0);
    m_gates.reserve(found.size());
    for (const auto& [sector, gate] : found) {
        ++m_firstGates[sector + 1];
        m_gates.push_back(gate);
    }
    for (std::size_t sector = 1; sector < m_firstGates.size(); ++sector)
        m_firstGates[sector] += m_firstGates[sector - 1];
}

bool clsGalaxyObject::FromXML(clsGalaxyParser& document, clsXMLParser& xml) {
    return Read(document, xml, {}, 0);
}

bool clsGalaxyObject::FromXML(clsGalaxyParser& document, clsXMLParser& xml,
                              const SectorGates& gates, std::size_t place) {
    return Read(document, xml, {&gates, place}, 0);
}

bool clsGalaxyObject::Read(clsGalaxyParser& document, clsXMLParser& xml, Reading reading,
                           int depth) {
    if (xml.GetNodeNameUtf8() != kObjectName) {
        SetLastError(QStringLiteral("Starting tag is not 'o'"));
        return false;
    }
    if (depth > kMaxDepth) {
        SetLastError(QStringLiteral("Objects are nested deeper than %1 levels.").arg(kMaxDepth));
        return false;
    }
    if (XMLBookmark == 0)
        XMLBookmark = xml.AddBookmark();
    if (!ReadAttributes(xml))
        return false;
    // Only a complete read counts as loaded: a half-read object must be read
    // again when it is next opened.
    if (!reading.gates)
        Loaded = false;
    if (!ReadChildren(document, xml, reading, depth))
        return false;
    if (!reading.gates)
        Loaded = true;
    Dirty = false;
    return true;
}

bool clsGalaxyObject::ReadMapAttributes(clsXMLParser& xml) {
    // Each name at most once, so no more than the map has names.
    std::array<int8_t, std::size(kMapAttributeNames)> known;
    std::array<int32_t, std::size(kMapAttributeNames)> values;
    std::size_t count = 0;
    uint32_t names = 0;
    const bool mapNamesOnly = xml.ForEachNodeAttrText([&](const char* name, const char* text) {
        const int place = MapNamePlace(name);
        if (place == kNotMapName || (names >> place & 1))
            return false;
        names |= uint32_t{1} << place;
        if (mapnumber::Read(text, values[count]) == mapnumber::Result::OutOfRange)
            return false;
        known[count++] = static_cast<int8_t>(place);
        return true;
    });
    if (!mapNamesOnly)
        return false;
    TakeAttributes(count, [&](std::size_t i, clsProperty& property) {
        property.Name = QString(kMapAttributeNames[known[i]]);
        property.Value.m_value = values[i];
        return int{known[i]};
    });
    return true;
}

bool clsGalaxyObject::ReadAttributes(clsXMLParser& xml) {
    if (ReadMapAttributes(xml))
        return true;
    // Gathered first, so that a refused element leaves the object as it was
    // and one allocation of the exact size holds the attributes.
    ReadList read;
    CaseTwins twins;
    const bool good = xml.ForEachNodeAttrText([&](const char* utf8Name, const char* text) {
        // The map's own names are no namespace declarations.
        const int known = MapNamePlace(utf8Name);
        if (known == kNotMapName && IsNamespaceDeclaration(utf8Name))
            return true;
        int32_t value = 0;
        if (mapnumber::Read(text, value) == mapnumber::Result::OutOfRange) {
            SetLastError(QStringLiteral("The value \"%1\" of attribute \"%2\" is not a 32-bit "
                                        "whole number.")
                             .arg(QString::fromUtf8(text), QString::fromUtf8(utf8Name)));
            return false;
        }
        ReadAttribute attribute{known, value, {}};
        if (known == kNotMapName)
            attribute.other = QString::fromUtf8(utf8Name);
        const QString& name = attribute.Name();
        // What cannot be written back is refused here, not dropped at a save.
        if (known == kNotMapName && !clsXMLParser::IsXmlName(name)) {
            SetLastError(
                QStringLiteral("The attribute name \"%1\" is not a valid XML name.").arg(name));
            return false;
        }
        if (twins.Check(read, name, known)) {
            const ReadAttribute* other = FindIn(read, name);
            SetLastError(QStringLiteral("The attributes \"%1\" and \"%2\" differ only in letter "
                                        "case.")
                             .arg(other ? other->Name() : name, name));
            return false;
        }
        read.push_back(std::move(attribute));
        return true;
    });
    if (!good)
        return false;
    TakeAttributes(static_cast<std::size_t>(read.size()),
                   [&read](std::size_t i, clsProperty& property) {
                       ReadAttribute& attribute = read.data()[i];
                       if (attribute.known == kNotMapName)
                           property.Name.swap(attribute.other);
                       else
                           property.Name = QString(kMapAttributeNames[attribute.known]);
                       property.Value.m_value = attribute.value;
                       return attribute.known;
                   });
    return true;
}

template <class Fill> void clsGalaxyObject::TakeAttributes(std::size_t count, Fill fill) {
    Release(m_attributes);
    m_attributes.clear();
    m_added.clear();
    m_readCount = count;
    m_readBlock = std::make_shared<clsProperty[]>(count);
    m_attributes.resize(static_cast<qsizetype>(count));
    clsProperty** const places = m_attributes.data();
    m_known.fill(0);
    uint32_t found = 0;
    for (std::size_t i = 0; i < count; ++i) {
        clsProperty& property = m_readBlock[i];
        const int known = fill(i, property);
        property.Value.m_owner = this;
        places[i] = &property;
        SetKnown(KnownPlace(property.Name, known), property.Value.m_value, found);
    }
}

bool clsGalaxyObject::ReadChildren(clsGalaxyParser& document, clsXMLParser& xml, Reading reading,
                                   int depth) {
    xml.Push();
    // Most objects have no children, and need no share of themselves.
    Ptr self;
    const auto readChild = [&] {
        if (!self)
            self = shared_from_this();
        const Ptr child = document.NewGalObject(self);
        if (!child->Read(document, xml, {}, depth + 1)) {
            SetLastError(child->GetLastError());
            document.ForgetObject(child);
            return false;
        }
        const platform::CollectionKey key = child->IndexKey();
        document.RegisterObject(child, key);
        Childs.add(child, key);
        return true;
    };
    bool read = true;
    if (reading.gates) {
        const auto& gates = reading.gates->m_gates;
        const auto* const firsts = reading.gates->m_firstGates.data() + reading.sector;
        Childs.reserve(static_cast<int>(firsts[1] - firsts[0]));
        for (uint32_t gate = firsts[0]; gate != firsts[1] && read; ++gate) {
            xml.SelectElement(gates[gate]);
            read = readChild();
        }
    } else {
        for (bool more = xml.Down(); more && read; more = xml.NextNode())
            read = readChild();
    }
    xml.Pop();
    return read;
}

bool clsGalaxyObject::ToXML(clsXMLParser& xml) {
    bool created = false;
    if (XMLBookmark >= 1) {
        if (!xml.SelectBookmark(XMLBookmark)) {
            SetLastError(QStringLiteral("Unable to select my bookmark: ") + xml.GetLastError());
            return false;
        }
    } else {
        const auto document = parser.lock();
        const auto parent = Parent.lock();
        const int32_t parentBookmark =
            parent ? parent->XMLBookmark : (document ? document->UniverseBookmark : 0);
        if (!xml.SelectBookmark(parentBookmark)) {
            SetLastError(QStringLiteral("Unable to select parent's bookmark: ") +
                         xml.GetLastError());
            return false;
        }
        if (!xml.CreateNode(kObjectTag, QVariant(), document ? document->Namespace : QString())) {
            SetLastError(QStringLiteral("Unable to create my element: ") + xml.GetLastError());
            return false;
        }
        XMLBookmark = xml.AddBookmark();
        created = true;
    }
    // A new element has no attributes yet, even for an object that a save
    // marked clean before it was placed.
    bool written = !(Dirty || created) || RewriteAttributes(xml);
    // Each child selects its own element or its parent's, so the cursor is
    // not walked back up: an unchanged map is saved without touching its
    // elements.
    for (const Ptr& child : Childs)
        written = child->ToXML(xml) && written;
    return written;
}

bool clsGalaxyObject::RewriteAttributes(clsXMLParser& xml) {
    // Every name is checked before anything goes, so a refused one leaves
    // the element as it was.
    for (const auto& property : m_attributes) {
        if (!clsXMLParser::IsXmlName(property->Name) || IsNamespaceDeclaration(property->Name)) {
            SetLastError(
                QStringLiteral("The attribute name \"%1\" cannot be written.").arg(property->Name));
            return false;
        }
    }
    // Every attribute but the namespace declarations goes; those stay in front.
    int32_t position = 1;
    for (int32_t left = xml.GetNodeAttrCount(); left > 0; --left) {
        if (IsNamespaceDeclaration(xml.GetAttrName(position)))
            ++position;
        else
            xml.DeleteNodeAttr(position);
    }
    for (const auto& property : m_attributes) {
        if (!xml.SetNodeAttr(property->Name, QString::number(property->Value))) {
            SetLastError(
                QStringLiteral("The attribute \"%1\" could not be written: ").arg(property->Name) +
                xml.GetLastError());
            return false;
        }
    }
    return true;
}

bool clsGalaxyObject::DeleteFromXML(clsXMLParser& xml) {
    xml.Push();
    bool deleted = false;
    if (!xml.SelectBookmark(XMLBookmark)) {
        SetLastError(QStringLiteral("Unable to select object bookmark."));
    } else if (!xml.DeleteNode(QStringLiteral("."))) {
        SetLastError(QStringLiteral("Error deleting xml:\n") + xml.GetLastError());
    } else {
        xml.RemoveBookmark(XMLBookmark);
        XMLBookmark = 0;
        Dirty = true;
        deleted = true;
    }
    xml.Pop();
    return deleted;
}

clsGalaxyObject::Ptr clsGalaxyObject::Copy() {
    const auto document = parser.lock();
    if (!document) {
        SetLastError(QStringLiteral("The object belongs to no map."));
        return nullptr;
    }
    // A sector read with its gates only would be copied without the rest.
    if (!Loaded && XMLBookmark > 0 && !document->LoadSectorChildren(shared_from_this())) {
        SetLastError(document->GetLastError());
        return nullptr;
    }
    return CopyUnder(*document, Parent.lock());
}

clsGalaxyObject::Ptr clsGalaxyObject::CopyUnder(clsGalaxyParser& document,
                                                const Ptr& parent) const {
    const Ptr copy = document.CreateGalObject(parent);
    for (const auto& property : m_attributes)
        copy->AddProperty(property->Name, property->Value);
    for (const Ptr& child : Childs) {
        const Ptr childCopy = child->CopyUnder(document, copy);
        copy->Childs.add(childCopy, childCopy->IndexKey());
    }
    copy->Loaded = true;
    return copy;
}
