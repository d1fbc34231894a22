#include "galaxy/GalaxyDocument.h"

#include <array>

namespace {

constexpr int32_t kSectorType = 1;

bool IsSector(const clsGalaxyObject::Ptr& object) {
    return object->otype() == kSectorType;
}

bool IsCoordinate(const QString& name) {
    return name.compare(QLatin1String("x"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("y"), Qt::CaseInsensitive) == 0;
}

const std::array<QString, 3> kCoordinates = {QStringLiteral("x"), QStringLiteral("y"),
                                             QStringLiteral("z")};

} // namespace

GalaxyDocument::GalaxyDocument(QObject* parent)
    : QObject(parent), m_parser(clsGalaxyParser::Create()) {}

GalaxyDocument::~GalaxyDocument() = default;

void GalaxyDocument::SetModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit ModifiedChanged(modified);
}

bool GalaxyDocument::Fail(const QString& text) {
    m_lastError = text;
    return false;
}

bool GalaxyDocument::CheckObject(const Ptr& object) {
    if (!Contains(object))
        return Fail(QStringLiteral("The object is no longer part of the map."));
    return true;
}

bool GalaxyDocument::Contains(const Ptr& object) const {
    return object && m_parser->objects.find(object->IndexKey()).get() == object.get();
}

void GalaxyDocument::Changed(const Ptr& object) {
    SetModified(true);
    emit ObjectModified(object);
}

bool GalaxyDocument::Open(const QString& path) {
    m_lastError.clear();
    const bool read = m_parser->ParseFile(path);
    m_openError = read ? QString() : m_parser->GetLastError();
    if (!read)
        m_lastError = m_openError;
    SetModified(false);
    emit DocumentReset();
    return read;
}

void GalaxyDocument::NewMap() {
    m_parser->NewFile();
    m_parser->FileName.clear();
    m_openError.clear();
    SetModified(true);
    emit DocumentReset();
}

bool GalaxyDocument::CheckSavable() {
    if (m_parser->Good)
        return true;
    if (m_openError.isEmpty())
        return Fail(QStringLiteral("No map is open."));
    return Fail(QStringLiteral("The map could not be read, so it cannot be saved:\n") +
                m_openError);
}

bool GalaxyDocument::Save(const QString& path, int32_t fileType) {
    if (!CheckSavable())
        return false;
    if (!m_parser->SaveFile(path, fileType))
        return Fail(m_parser->GetLastError());
    SetModified(false);
    return true;
}

bool GalaxyDocument::LoadSector(const Ptr& sector) {
    if (!CheckObject(sector))
        return false;
    if (!m_parser->LoadSectorChildren(sector))
        return Fail(m_parser->GetLastError());
    emit SectorLoaded(sector);
    return true;
}

bool GalaxyDocument::AddNewObject(const Ptr& object) {
    const Ptr parent = object->Parent.lock();
    if (object->parser.lock() != m_parser || Contains(object))
        return Fail(QStringLiteral("The object was not made for this map."));
    if (IsSector(object) && parent)
        return Fail(QStringLiteral("A sector cannot be placed inside another object."));
    if (!IsSector(object) && !CheckObject(parent))
        return Fail(QStringLiteral("Object does not have parent and it is not sector."));
    if (parent && IsSector(parent) && !parent->Loaded && !LoadSector(parent))
        return false;
    object->Loaded = true;
    if (!m_parser->AddObject(object))
        return Fail(m_parser->GetLastError());
    if (parent)
        parent->Childs.add(object, object->IndexKey());
    bool placed = m_parser->UpdateObjectXML(object);
    if (!placed)
        Fail(QStringLiteral("Error while updating ojbect state in XML:\n") +
             m_parser->GetLastError());
    else if (!m_parser->CreateDefaultObjects(object) || !m_parser->GetLastError().isEmpty())
        placed = Fail(m_parser->GetLastError());
    SetModified(true);
    emit ObjectAdded(object);
    return placed;
}

GalaxyDocument::Ptr GalaxyDocument::PasteObject(const Ptr& copied, const Ptr& target) {
    if (!Contains(copied)) {
        Fail(QStringLiteral("The copied object is no longer part of the map."));
        return nullptr;
    }
    if (!CheckObject(target))
        return nullptr;
    if (IsSector(target) && !IsSector(copied)) {
        Fail(QStringLiteral("Cannot paste non-sector object as siblink of sector."));
        return nullptr;
    }
    if (IsSector(copied) && !IsSector(target)) {
        Fail(QStringLiteral("Cannot paste sector as a child."));
        return nullptr;
    }
    // Reading a sector replaces its gates: through LoadSector the windows hear of it.
    for (const Ptr& sector : {target, copied}) {
        if (IsSector(sector) && !sector->Loaded && !LoadSector(sector))
            return nullptr;
    }
    const Ptr copy = copied->Copy();
    if (!copy) {
        Fail(copied->GetLastError());
        return nullptr;
    }
    if (const Ptr parent = copy->Parent.lock())
        parent->Childs.add(copy, copy->IndexKey());
    else
        m_parser->Sectors.add(copy, copy->IndexKey());
    m_lastError.clear();
    if (!m_parser->UpdateObjectXML(copy))
        Fail(QStringLiteral("Error updating object in xml:\n") + m_parser->GetLastError());
    else if (!m_parser->MoveObject(copy, target, false))
        Fail(m_parser->GetLastError());
    SetModified(true);
    emit ObjectAdded(copy);
    return copy;
}

bool GalaxyDocument::DeleteObject(const Ptr& object) {
    if (!CheckObject(object))
        return false;
    const bool deleted = m_parser->DeleteObject(object);
    if (!deleted)
        Fail(QStringLiteral("Error deleting object:\n") + m_parser->GetLastError());
    if (!Contains(object)) {
        SetModified(true);
        emit ObjectRemoved(object);
    }
    return deleted;
}

bool GalaxyDocument::MoveObject(const Ptr& object, const Ptr& target, bool asChild) {
    if (!CheckObject(object) || !CheckObject(target))
        return false;
    if (!m_parser->MoveObject(object, target, asChild))
        return Fail(m_parser->GetLastError());
    SetModified(true);
    emit ObjectMoved(object);
    return true;
}

bool GalaxyDocument::SetProperty(const Ptr& object, const QString& name, int32_t value) {
    if (!CheckObject(object))
        return false;
    if (name.isEmpty())
        return Fail(QStringLiteral("An attribute needs a name."));
    if (IsSector(object) && name.compare(QLatin1String("t"), Qt::CaseInsensitive) == 0 &&
        value != kSectorType)
        return Fail(QStringLiteral("You cannot change type of object \"sector\"."));
    const auto property = object->Property(name);
    if (property && property->Value == value)
        return true;
    object->AddProperty(name, value);
    Changed(object);
    return true;
}

bool GalaxyDocument::RemoveProperty(const Ptr& object, const QString& name) {
    if (!CheckObject(object))
        return false;
    if (IsSector(object) &&
        (name.compare(QLatin1String("t"), Qt::CaseInsensitive) == 0 || IsCoordinate(name)))
        return Fail(QStringLiteral("The type and the cell of a sector cannot be removed."));
    if (!object->Property(name))
        return true;
    object->RemoveProperty(name);
    Changed(object);
    return true;
}

bool GalaxyDocument::SetCoordinates(const Ptr& object, int32_t x, int32_t y, int32_t z) {
    if (!CheckObject(object))
        return false;
    const std::array<int32_t, 3> values = {x, y, z};
    bool changed = false;
    for (size_t axis = 0; axis < kCoordinates.size(); ++axis) {
        const auto property = object->Property(kCoordinates[axis]);
        if (property && property->Value == values[axis])
            continue;
        object->AddProperty(kCoordinates[axis], values[axis]);
        changed = true;
    }
    if (changed)
        Changed(object);
    return true;
}

bool GalaxyDocument::AddCoordinates(const Ptr& object) {
    if (!CheckObject(object))
        return false;
    bool changed = false;
    for (const QString& name : kCoordinates) {
        if (object->Property(name))
            continue;
        object->AddProperty(name, 0);
        changed = true;
    }
    if (changed)
        Changed(object);
    return true;
}

bool GalaxyDocument::RemoveCoordinates(const Ptr& object) {
    if (!CheckObject(object))
        return false;
    if (IsSector(object))
        return Fail(QStringLiteral("The type and the cell of a sector cannot be removed."));
    bool changed = false;
    for (const QString& name : kCoordinates) {
        if (!object->Property(name))
            continue;
        object->RemoveProperty(name);
        changed = true;
    }
    if (changed)
        Changed(object);
    return true;
}
