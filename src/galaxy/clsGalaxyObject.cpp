#include "galaxy/clsGalaxyObject.h"
#include "shell/common/mdlCommonTables.h"

#include "galaxy/MapNumber.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "gamefiles/clsXMLParser.h"

#include <QSet>

#include <algorithm>

namespace {

const QString kObjectTag = QStringLiteral("o");
constexpr int32_t kGateType = 18;
// Real maps nest four or five levels; a deeper file is refused rather than
// read with unbounded recursion.
constexpr int kMaxDepth = 256;

// xmlns declarations are the XML's own business, never map attributes.
bool IsNamespaceDeclaration(const QString& name) {
    return name == QLatin1String("xmlns") || name.startsWith(QLatin1String("xmlns:"));
}

constexpr int32_t kFewAttributes = 16;

clsGalaxyObject::Attributes::const_iterator FindIn(const clsGalaxyObject::Attributes& attributes,
                                                   const QString& name) {
    return std::find_if(attributes.begin(), attributes.end(), [&](const auto& property) {
        return property->Name.size() == name.size() &&
               property->Name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

bool TryInsert(QSet<QString>& set, const QString& value) {
    const qsizetype before = set.size();
    set.insert(value);
    return set.size() != before;
}

bool IsGateElement(const clsXMLParser& xml) {
    int32_t type = 0;
    return mapnumber::Read(xml.GetNodeAttr(QStringLiteral("t")), type) ==
               mapnumber::Result::Number &&
           type == kGateType;
}

} // namespace

clsGalaxyObject::Attributes::const_iterator
clsGalaxyObject::FindProperty(const QString& name) const {
    return FindIn(m_attributes, name);
}

std::shared_ptr<clsProperty> clsGalaxyObject::Property(int32_t position) const {
    if (position < 1 || position > PropertyCount())
        return nullptr;
    return m_attributes[static_cast<std::size_t>(position - 1)];
}

std::shared_ptr<clsProperty> clsGalaxyObject::Property(const QString& name) const {
    const auto found = FindProperty(name);
    return found == m_attributes.end() ? nullptr : *found;
}

int32_t clsGalaxyObject::NamedProperty(const QString& name) const {
    const auto found = FindProperty(name);
    return found == m_attributes.end() ? 0 : (*found)->Value;
}

QString clsGalaxyObject::ObjectTypeName() const {
    return mdlCommon::GetArrayString(mdlZorvGalaxy::GalObjectTypeNames, otype());
}

void clsGalaxyObject::RemoveProperty(const QString& name) {
    const auto found = FindProperty(name);
    if (found != m_attributes.end())
        m_attributes.erase(found);
    Dirty = true;
}

void clsGalaxyObject::RemoveProperty(int32_t position) {
    if (position >= 1 && position <= PropertyCount())
        m_attributes.erase(m_attributes.begin() + (position - 1));
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
        m_attributes.push_back(std::move(added));
    }
    Dirty = true;
}

bool clsGalaxyObject::FromXML(clsGalaxyParser& document, clsXMLParser& xml, bool gateOnly) {
    return Read(document, xml, gateOnly, 0);
}

bool clsGalaxyObject::Read(clsGalaxyParser& document, clsXMLParser& xml, bool gateOnly, int depth) {
    if (xml.GetNodeName() != kObjectTag) {
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
    if (!gateOnly)
        Loaded = false;
    if (!ReadChildren(document, xml, gateOnly, depth))
        return false;
    if (!gateOnly)
        Loaded = true;
    Dirty = false;
    return true;
}

bool clsGalaxyObject::ReadAttributes(clsXMLParser& xml) {
    const int32_t count = xml.GetNodeAttrCount();
    Attributes attributes;
    attributes.reserve(static_cast<std::size_t>(count));
    // Folded names, to find case twins without a quadratic search when an
    // element holds unusually many attributes.
    QSet<QString> folded;
    const bool useSet = count > kFewAttributes;
    for (int32_t position = 1; position <= count; ++position) {
        QString name = xml.GetAttrName(position);
        if (IsNamespaceDeclaration(name))
            continue;
        const QString text = xml.GetNodeAttr(position);
        int32_t value = 0;
        if (mapnumber::Read(text, value) == mapnumber::Result::OutOfRange) {
            SetLastError(QStringLiteral("The value \"%1\" of attribute \"%2\" is not a 32-bit "
                                        "whole number.")
                             .arg(text, name));
            return false;
        }
        const bool twin = useSet ? !TryInsert(folded, name.toCaseFolded())
                                 : FindIn(attributes, name) != attributes.end();
        if (twin) {
            const auto other = FindIn(attributes, name);
            SetLastError(QStringLiteral("The attributes \"%1\" and \"%2\" differ only in letter "
                                        "case.")
                             .arg(other != attributes.end() ? (*other)->Name : name, name));
            return false;
        }
        auto property = std::make_shared<clsProperty>();
        property->Name = std::move(name);
        property->Value = value;
        attributes.push_back(std::move(property));
    }
    m_attributes = std::move(attributes);
    return true;
}

bool clsGalaxyObject::ReadChildren(clsGalaxyParser& document, clsXMLParser& xml, bool gateOnly,
                                   int depth) {
    xml.Push();
    bool read = true;
    for (bool more = xml.Down(); more; more = xml.NextNode()) {
        if (gateOnly && !IsGateElement(xml))
            continue;
        const Ptr child = document.NewGalObject(shared_from_this());
        if (!child->Read(document, xml, false, depth + 1)) {
            SetLastError(child->GetLastError());
            document.ForgetObject(child);
            read = false;
            break;
        }
        const QString key = child->Key();
        document.RegisterObject(child, key);
        Childs.add(child, key);
    }
    xml.Pop();
    return read;
}

bool clsGalaxyObject::ToXML(clsXMLParser& xml) {
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
        xml.CreateNode(kObjectTag, QVariant(), document ? document->Namespace : QString());
        XMLBookmark = xml.AddBookmark();
    }
    if (Dirty)
        RewriteAttributes(xml);
    bool written = true;
    for (const Ptr& child : Childs)
        written = child->ToXML(xml) && written;
    xml.up();
    return written;
}

void clsGalaxyObject::RewriteAttributes(clsXMLParser& xml) const {
    // Every attribute but the namespace declarations goes; those stay in front.
    int32_t position = 1;
    for (int32_t left = xml.GetNodeAttrCount(); left > 0; --left) {
        if (IsNamespaceDeclaration(xml.GetAttrName(position)))
            ++position;
        else
            xml.DeleteNodeAttr(position);
    }
    for (const auto& property : m_attributes)
        xml.SetNodeAttr(property->Name, QString::number(property->Value));
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
        copy->Childs.add(childCopy, childCopy->Key());
    }
    copy->Loaded = true;
    return copy;
}
