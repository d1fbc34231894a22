// One map object of a universe map: one element "o" of the map file, its
// whole-number attributes in the order they were read and its child objects.
// Objects are held by std::shared_ptr; the links to the parent object and to
// the owning document do not own, so a window may keep an object after the
// document dropped it.
#pragma once

#include "galaxy/clsProperty.h"
#include "gamefiles/clsXMLParser.h"
#include "platform/KeyedCollection.h"

#include <QString>
#include <QVarLengthArray>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class clsGalaxyParser;

class clsGalaxyObject : public std::enable_shared_from_this<clsGalaxyObject> {
public:
    using Ptr = std::shared_ptr<clsGalaxyObject>;
    // Few per object, so a list searched by name is all they need, kept in
    // the object itself. The object owns them; Property hands out shares.
    using Attributes = QVarLengthArray<clsProperty*, 16>;

    clsGalaxyObject() = default;
    ~clsGalaxyObject();
    clsGalaxyObject(const clsGalaxyObject&) = delete;
    clsGalaxyObject& operator=(const clsGalaxyObject&) = delete;

    std::weak_ptr<clsGalaxyParser> parser;
    // Nothing for a sector.
    std::weak_ptr<clsGalaxyObject> Parent;
    int32_t ID = 0;
    // A sector's 0-based place among the sectors when the file was read.
    int32_t Index = 0;
    // All children of the element have been read.
    bool Loaded = false;
    // The element's bookmark in the XML document; 0 while it has none.
    int32_t XMLBookmark = 0;
    // The element's attributes are to be rewritten from the object.
    bool Dirty = true;
    platform::KeyedCollection<clsGalaxyObject> Childs;

    int32_t PropertyCount() const { return static_cast<int32_t>(m_attributes.size()); }
    // By 1-based position or by name (letter case ignored); nothing when absent.
    // Changing the value of what they give marks the object dirty.
    std::shared_ptr<clsProperty> Property(int32_t position) const;
    std::shared_ptr<clsProperty> Property(const QString& name) const;
    // 0 when the object has no such attribute.
    int32_t NamedProperty(const QString& name) const;

    int32_t otype() const { return m_known[kType]; }
    void Setotype(int32_t value) { AddProperty(QStringLiteral("t"), value); }
    int32_t subtype() const { return m_known[kSubtype]; }
    void Setsubtype(int32_t value) { AddProperty(QStringLiteral("s"), value); }
    int32_t x() const { return m_known[kX]; }
    void Setx(int32_t value) { AddProperty(QStringLiteral("x"), value); }
    int32_t y() const { return m_known[kY]; }
    void Sety(int32_t value) { AddProperty(QStringLiteral("y"), value); }
    int32_t z() const { return m_known[kZ]; }
    void Setz(int32_t value) { AddProperty(QStringLiteral("z"), value); }
    // The description number "n"; 0 when absent.
    int32_t description() const { return m_known[kDescription]; }

    // The object's key in the document's collections, "<ID>k".
    QString Key() const;
    // The same key without a text, for the collections' own use.
    platform::CollectionKey IndexKey() const { return platform::CollectionKey(ID); }
    QString GetLastError() const { return m_lastError; }

    // The gate elements (type 18) below each sector of a map, found in one
    // walk over them all as a file opens.
    class SectorGates;
    // Reads the object from the element under the XML cursor, with all its
    // children; the cursor is back on the element afterwards.
    bool FromXML(clsGalaxyParser& document, clsXMLParser& xml);
    // The same for the sector `place` of the walk with only its gates, each
    // with its whole subtree.
    bool FromXML(clsGalaxyParser& document, clsXMLParser& xml, const SectorGates& gates,
                 std::size_t place);
    QString ObjectTypeName() const;
    // The attributes in order, for range-for.
    const Attributes& NewEnum() const { return m_attributes; }
    void RemoveProperty(const QString& name);
    void RemoveProperty(int32_t position);
    // Replaces the value in place, else appends the attribute; marks dirty.
    void AddProperty(const QString& name, int32_t value);
    // Writes the object and its subtree: a missing element is created as the
    // parent's last child, a dirty element gets its attributes rewritten.
    bool ToXML(clsXMLParser& xml);
    bool DeleteFromXML(clsXMLParser& xml);
    // A deep copy with new IDs, entered in the document's index but placed
    // nowhere and without elements. A sector whose contents were not read
    // yet is read first, so nothing of it is left out; nothing when that
    // fails (GetLastError tells why) or the object has no document.
    Ptr Copy();

private:
    friend class clsGalaxyParser;
    friend class PropertyValue;

    // The attributes every label and icon asks for, by their place in
    // m_known. Trees and maps ask for them tens of thousands of times, so
    // their values are kept beside the list and refreshed whenever an
    // attribute of the object is added, removed, renamed or set.
    enum Known { kType, kSubtype, kX, kY, kZ, kDescription, kKnownCount };
    // The place in m_known of an attribute name, -1 for none; mapName is
    // its place among the map format's names when the reader knows it.
    static int KnownPlace(const QString& name, int mapName);
    void SetKnown(int place, int32_t value, uint32_t& found);
    void RefreshKnown();

    // Fills the attributes with `count` read ones: fill(i, property) gives
    // the i-th its name and value and returns its place among the map's
    // names (-1 for none).
    template <class Fill> void TakeAttributes(std::size_t count, Fill fill);
    Attributes::const_iterator FindProperty(const QString& name) const;
    // A share of one of m_attributes, which keeps it alive.
    std::shared_ptr<clsProperty> Shared(clsProperty* property) const;
    void TakeOut(Attributes::const_iterator at);
    bool ReadAttributes(clsXMLParser& xml);
    // The same for an element whose attributes all have names of the map's
    // own, read without making a string; false, with nothing changed, for
    // any other.
    bool ReadMapAttributes(clsXMLParser& xml);
    // The sector whose gates are its only children to read; all children
    // are read without one.
    struct Reading {
        const SectorGates* gates = nullptr;
        std::size_t sector = 0;
    };
    bool ReadChildren(clsGalaxyParser& document, clsXMLParser& xml, Reading reading, int depth);
    bool Read(clsGalaxyParser& document, clsXMLParser& xml, Reading reading, int depth);
    bool RewriteAttributes(clsXMLParser& xml);
    // The attributes stop telling this object of changes.
    static void Release(const Attributes& attributes);
    Ptr CopyUnder(clsGalaxyParser& document, const Ptr& parent) const;
    void SetLastError(const QString& text) { m_lastError = text; }

    Attributes m_attributes;
    // What owns the attributes: the block the element's attributes were read
    // into, and those added one by one. A share of a read attribute is made
    // only when one is asked for, so reading and dropping an object cost no
    // reference count per attribute.
    std::shared_ptr<clsProperty[]> m_readBlock;
    std::size_t m_readCount = 0;
    std::vector<std::shared_ptr<clsProperty>> m_added;
    std::array<int32_t, kKnownCount> m_known{};
    QString m_lastError;
};

class clsGalaxyObject::SectorGates {
public:
    // Of the element children of the cursor element; the cursor stays.
    explicit SectorGates(const clsXMLParser& xml);
    std::size_t Sectors() const { return m_firstGates.size() - 1; }
    std::size_t Gates() const { return m_gates.size(); }

private:
    friend class clsGalaxyObject;
    // By sector in document order, each sector's from m_firstGates[sector] on.
    std::vector<clsXMLParser::ChildElement> m_gates;
    std::vector<uint32_t> m_firstGates;
};
