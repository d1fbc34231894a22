// The open universe map of the Ruvaze Rezivo, as every window sees it: it
// owns the map document and makes each change in one call that returns
// success (the text to show is then in LastError), marks the map modified
// and emits a signal after the change. The tree, the property panel and the
// map windows change the map only here, so they cannot drift apart.
//
// Errors: Open and Save leave the document's own error text (the window puts
// its first line before it); every other call leaves the whole message.
#pragma once

#include "galaxy/clsGalaxyParser.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class GalaxyDocument : public QObject {
    Q_OBJECT

public:
    using Ptr = clsGalaxyObject::Ptr;

    explicit GalaxyDocument(QObject* parent = nullptr);
    ~GalaxyDocument() override;

    // The map document; the same object for the whole life of this one.
    const std::shared_ptr<clsGalaxyParser>& parser() const { return m_parser; }
    // A map is open or new, so it can be saved.
    bool Good() const { return m_parser->Good; }
    QString FileName() const { return m_parser->FileName; }
    QString LastError() const { return m_lastError; }

    bool Modified() const { return m_modified; }
    void SetModified(bool modified);

    // Reads a map file; the previous map is dropped also when it fails.
    bool Open(const QString& path);
    // An empty new map, unsaved (modified) and without a file name.
    void NewMap();
    // False, with the reason, when the map cannot be saved (none open, or
    // its file could not be read).
    bool CheckSavable();
    // fileType 1 plain, 2 packed. A map that was not read cannot be saved.
    bool Save(const QString& path, int32_t fileType);

    // Reads the rest of a sector read with its gates only; its gate objects
    // are replaced by new ones (SectorLoaded).
    bool LoadSector(const Ptr& sector);
    // Places an object made by NewGalObject, whose type and subtype are set:
    // a sector at the end of the map, anything else as the last child of its
    // parent, then gives it its default attributes and containers. The
    // object stays in the map (and ObjectAdded is emitted) also when one of
    // the later steps fails.
    bool AddNewObject(const Ptr& object);
    // A deep copy of the copied object placed before the target: a sector
    // beside a sector, anything else beside a non-sector. The copy is given
    // back also when only its placement failed (it then stands last under
    // its parent); nothing when it could not be made.
    Ptr PasteObject(const Ptr& copied, const Ptr& target);
    // Takes the object and its subtree out of the map.
    bool DeleteObject(const Ptr& object);
    // Before the target, or into it as its last child.
    bool MoveObject(const Ptr& object, const Ptr& target, bool asChild);

    // Attribute changes; a value equal to the one held changes nothing.
    bool SetProperty(const Ptr& object, const QString& name, int32_t value);
    bool RemoveProperty(const Ptr& object, const QString& name);
    bool SetCoordinates(const Ptr& object, int32_t x, int32_t y, int32_t z);
    // Adds each of x, y and z that the object lacks, with the value 0.
    bool AddCoordinates(const Ptr& object);
    bool RemoveCoordinates(const Ptr& object);

    // The object is still part of the open map (not deleted, nor below a
    // deleted object).
    bool Contains(const Ptr& object) const;

signals:
    // The whole map was replaced (open, new map).
    void DocumentReset();
    void SectorLoaded(const clsGalaxyObject::Ptr& sector);
    void ObjectAdded(const clsGalaxyObject::Ptr& object);
    // The object with its subtree left the map.
    void ObjectRemoved(const clsGalaxyObject::Ptr& object);
    // The object has a new place (parent or position); its subtree came along.
    void ObjectMoved(const clsGalaxyObject::Ptr& object);
    void ObjectModified(const clsGalaxyObject::Ptr& object);
    void ModifiedChanged(bool modified);

private:
    bool Fail(const QString& text);
    bool CheckObject(const Ptr& object);
    void Changed(const Ptr& object);

    std::shared_ptr<clsGalaxyParser> m_parser;
    QString m_lastError;
    // Why the last open failed, so a save of that map can say so.
    QString m_openError;
    bool m_modified = false;
};
