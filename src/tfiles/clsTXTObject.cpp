#include "tfiles/clsTXTObject.h"

#include "gamefiles/GameText.h"
#include "gamefiles/mdlZorvObjects.h"
#include "tfiles/TxtValue.h"

bool clsTXTObject::Dirty() const {
    return mdlZorvObjects::Zorv_IsDirty(m_handle) != 0;
}

int32_t clsTXTObject::Index() const {
    return mdlZorvObjects::Zorv_TXTGetIndex(m_handle);
}

QString clsTXTObject::Key() const {
    return QString::number(m_handle) + u'k';
}

QString clsTXTObject::ObjectName() const {
    return tfiles::ValueText(IDValue());
}

QVariant clsTXTObject::IDValue() const {
    QVariant value;
    mdlZorvObjects::Zorv_TXTGetID(m_handle, value);
    return value;
}

bool clsTXTObject::SetObjectName(const QString& name) {
    return SetValue(size() - 1, gamefiles::EncodeText(name));
}

QVariant clsTXTObject::Value(int32_t index) const {
    QVariant value;
    mdlZorvObjects::Zorv_TXTGetValue(m_handle, index, value);
    return value;
}

bool clsTXTObject::SetValue(int32_t index, const QVariant& value) {
    Written();
    return mdlZorvObjects::Zorv_TXTSetValue(m_handle, index, value) != 0;
}

int32_t clsTXTObject::size() const {
    return mdlZorvObjects::Zorv_TXTGetSize(m_handle);
}

bool clsTXTObject::InsertSpaceToArray(int32_t position, int32_t count) {
    Written();
    return mdlZorvObjects::Zorv_TXTInsertValues(m_handle, position, count) != 0;
}

bool clsTXTObject::RemoveSpaceFromArray(int32_t position, int32_t count) {
    Written();
    return mdlZorvObjects::Zorv_TXTRemoveValues(m_handle, position, count) != 0;
}

bool clsTXTObject::Construct(int32_t count) {
    Written();
    return mdlZorvObjects::Zorv_TXTSetSize(m_handle, count) != 0;
}

bool clsTXTObject::CopyTo(const clsTXTObject& destination) const {
    Written();
    return mdlZorvObjects::Zorv_TXTCopyObject(destination.m_handle, m_handle) != 0;
}
