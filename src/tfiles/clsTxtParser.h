// One loaded T-file over the object store: the file's store handle, its lines
// as clsTXTObject in file order and in name order, a modified flag for
// changes to the set of lines, and a last-error text. Failures are reported
// by the results and GetLastError; a game library that cannot be bound throws
// platform::ZorvError.
#pragma once

#include "platform/KeyedCollection.h"
#include "tfiles/clsTXTObject.h"

#include "zorvobjects.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class clsTxtParser {
public:
    using Object = std::shared_ptr<clsTXTObject>;

    clsTxtParser() = default;
    ~clsTxtParser();
    clsTxtParser(const clsTxtParser&) = delete;
    clsTxtParser& operator=(const clsTxtParser&) = delete;

    // Name order (case-insensitive, equal names in load order, created lines
    // last) and file order; both hold the same objects.
    platform::KeyedCollection<clsTXTObject> objects;
    platform::KeyedCollection<clsTXTObject> UnsortedObjects;
    QString FileName;

    bool Parsed() const { return m_parsed; }
    // The line count recorded in the file's header.
    int32_t LineCount();
    // Loads from a file-driver handle opened for reading by the caller.
    bool Load(int32_t file);
    // Takes over the store handle of an already parsed file.
    bool LoadFromHandle(int32_t handle);
    QString GetLastError() const { return m_lastError; }
    Object FindKey(const QString& key) const { return objects.find(key); }
    Object Find(int32_t id) const;
    // Writes into a file-driver handle opened for writing by the caller.
    bool Save(int32_t file);
    // The line at a 0-based file position; nothing when out of range.
    Object FindIndex(int32_t index) const;
    // Deletes the line in the store, then takes it out of both collections.
    bool RemoveObject(const clsTXTObject& object);
    bool CheckDirty() const;
    // A new line before `before`, or at the end when it is nullptr; nothing
    // when the store gives no line.
    Object CreateObject(const clsTXTObject* before);

private:
    void SetLastError(const QString& text) { m_lastError = text; }
    void ReleaseStore();

    QString m_lastError;
    bool m_modified = false;
    bool m_parsed = false;
    // clsTXTObject::Writes() when no line was dirty; a fresh load or a save
    // leaves none, so asking again needs no pass over the lines until a
    // line is changed.
    mutable std::optional<uint64_t> m_cleanAt;
    int32_t m_store = 0;
    // version 0 marks a header not read yet.
    ZorvTXTHeader m_header{};
};
