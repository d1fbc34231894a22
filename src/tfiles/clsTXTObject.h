// One line of a T-file, held as its handle in the object store. Every value
// is read and written through the store at once; the object keeps no copy.
#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

class clsTXTObject {
public:
    // Kind number of the file the line belongs to, stamped by its users.
    int32_t otype = 0;

    bool Dirty() const;
    int32_t handle() const { return m_handle; }
    void Sethandle(int32_t handle) { m_handle = handle; }
    // Position of the line in its file, 0-based.
    int32_t Index() const;
    // The handle in decimal followed by "k"; keys the line in every collection.
    QString Key() const;
    // The ID string: the last value as text.
    QString ObjectName() const;
    // The last value as the store gives it.
    QVariant IDValue() const;
    // The changes below return false when the store refused them (a released
    // line, an index or size it does not allow); the store's last error
    // (mdlZorvObjects::GetLastErrorText) then tells why.
    bool SetObjectName(const QString& name);
    int32_t ID() const { return m_handle; }
    // int, double, or QByteArray for text, as the store gives it.
    QVariant Value(int32_t index) const;
    bool SetValue(int32_t index, const QVariant& value);
    int32_t size() const;
    bool InsertSpaceToArray(int32_t position, int32_t count);
    bool RemoveSpaceFromArray(int32_t position, int32_t count);
    bool Construct(int32_t count);
    bool CopyTo(const clsTXTObject& destination) const;

    // Counts the changes asked of any line, refused ones included: while it
    // stands still no line can have become dirty.
    static uint64_t Writes() { return s_writes; }

private:
    static void Written() { ++s_writes; }

    inline static uint64_t s_writes = 0;
    int32_t m_handle = 0;
};
