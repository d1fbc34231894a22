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
#include <vector>

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
    // What a create or paste leaves when a step fails after the object
    // entered the map: the tree keeps the object (its element is written at
    // the next save); the map windows take it back, so the map is as before,
    // unmodified and unsignalled (an object whose element cannot be removed
    // again stays, as with KeepObject).
    enum class Failed { KeepObject, TakeBack };

    // Places an object made by NewGalObject, whose type and subtype are set:
    // a sector at the end of the map, anything else as the last child of its
    // parent, then gives it its default attributes and containers. With
    // KeepObject the object stays in the map (and ObjectAdded is emitted)
    // also when one of the later steps fails.
    bool AddNewObject(const Ptr& object, Failed failed = Failed::KeepObject);
    // A deep copy of the copied object placed before the target: a sector
    // beside a sector, anything else beside a non-sector. With KeepObject the
    // copy is given back also when only its placement failed (it then stands
    // last under its parent); nothing when it could not be made, or, with
    // TakeBack, when any step failed.
    Ptr PasteObject(const Ptr& copied, const Ptr& target, Failed failed = Failed::KeepObject);
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

    // A position moved on a map and not yet in its object.
    struct MovedPosition {
        Ptr object;
        int32_t x = 0;
        int32_t y = 0;
        int32_t z = 0;
    };
    // Writes the moved positions into their objects: x always, y and z where
    // the object has them or the move took them off 0 (a top view moves no
    // y). Nothing changes when one of the objects has left the map.
    bool WriteBackPositions(const std::vector<MovedPosition>& moves);
    // Leads the gate to the target gate: its gx and gy become the cell of the
    // target's sector, its gtid the target's gid; with crossLink the target
    // leads back the same way. Nothing changes when a gate lies in no sector
    // or both are the same gate.
    bool LinkGates(const Ptr& gate, const Ptr& target, bool crossLink);

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
    // Writes an object that entered the map and gives it its defaults.
    bool WriteNewObject(const Ptr& object);
    // Ends a create or paste whose object entered the map: a failed one is
    // taken back when asked; what stays is signalled. Gives placed.
    bool Settle(const Ptr& object, bool placed, Failed failed);

    std::shared_ptr<clsGalaxyParser> m_parser;
    QString m_lastError;
    // Why the last open failed, so a save of that map can say so.
    QString m_openError;
    bool m_modified = false;
};
