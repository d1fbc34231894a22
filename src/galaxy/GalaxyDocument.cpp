#include "galaxy/GalaxyDocument.h"

#include "common/mdlCommon.h"

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

// Sets the attribute unless it holds the value already; true when it changed.
bool SetValue(const clsGalaxyObject::Ptr& object, const QString& name, int32_t value) {
    const auto property = object->Property(name);
    if (property && property->Value == value)
        return false;
    object->AddProperty(name, value);
    return true;
}

// x, y and z; with addZeros false, a y or z the object lacks is added only
// when its value is not 0. True when a value changed.
bool SetAxes(const clsGalaxyObject::Ptr& object, const std::array<int32_t, 3>& values,
             bool addZeros) {
    bool changed = false;
    for (size_t axis = 0; axis < kCoordinates.size(); ++axis) {
        if (!addZeros && axis > 0 && values[axis] == 0 && !object->Property(kCoordinates[axis]))
            continue;
        changed |= SetValue(object, kCoordinates[axis], values[axis]);
    }
    return changed;
}

// The gate leads to the target gate in the target's sector.
bool LeadTo(const clsGalaxyObject::Ptr& gate, const clsGalaxyObject::Ptr& sector,
            const clsGalaxyObject::Ptr& target) {
    bool changed = SetValue(gate, QStringLiteral("gx"), sector->NamedProperty(QStringLiteral("x")));
    changed |= SetValue(gate, QStringLiteral("gy"), sector->NamedProperty(QStringLiteral("y")));
    changed |= SetValue(gate, QStringLiteral("gtid"), target->NamedProperty(QStringLiteral("gid")));
    return changed;
}

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

bool GalaxyDocument::AddNewObject(const Ptr& object, Failed failed) {
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
    return Settle(object, WriteNewObject(object), failed);
}

bool GalaxyDocument::WriteNewObject(const Ptr& object) {
    if (!m_parser->UpdateObjectXML(object))
        return Fail(QStringLiteral("Error while updating ojbect state in XML:\n") +
                    m_parser->GetLastError());
    if (!m_parser->CreateDefaultObjects(object) || !m_parser->GetLastError().isEmpty())
        return Fail(m_parser->GetLastError());
    return true;
}

bool GalaxyDocument::Settle(const Ptr& object, bool placed, Failed failed) {
    // The failed step's error stays the one to show.
    if (!placed && failed == Failed::TakeBack && m_parser->DeleteObject(object))
        return false;
    SetModified(true);
    emit ObjectAdded(object);
    return placed;
}

GalaxyDocument::Ptr GalaxyDocument::PasteObject(const Ptr& copied, const Ptr& target,
                                                Failed failed) {
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
    bool placed = true;
    if (!m_parser->UpdateObjectXML(copy))
        placed = Fail(QStringLiteral("Error updating object in xml:\n") + m_parser->GetLastError());
    else if (!m_parser->MoveObject(copy, target, false))
        placed = Fail(m_parser->GetLastError());
    if (!Settle(copy, placed, failed) && failed == Failed::TakeBack)
        return nullptr;
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
    if (SetValue(object, name, value))
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
    if (SetAxes(object, {x, y, z}, true))
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

bool GalaxyDocument::WriteBackPositions(const std::vector<MovedPosition>& moves) {
    for (const MovedPosition& move : moves)
        if (!CheckObject(move.object))
            return false;
    // Every object is written before anyone hears of one.
    std::vector<Ptr> changed;
    for (const MovedPosition& move : moves)
        if (SetAxes(move.object, {move.x, move.y, move.z}, false))
            changed.push_back(move.object);
    for (const Ptr& object : changed)
        Changed(object);
    return true;
}

bool GalaxyDocument::LinkGates(const Ptr& gate, const Ptr& target, bool crossLink) {
    if (!CheckObject(gate) || !CheckObject(target))
        return false;
    const Ptr targetSector = mdlCommon::GetSectorOf(target);
    const Ptr gateSector = mdlCommon::GetSectorOf(gate);
    if (!targetSector)
        return Fail(QStringLiteral("Previously selected gate does not have parent!"));
    if (!gateSector)
        return Fail(QStringLiteral("Selected gate does not have parent!"));
    if (gate == target)
        return Fail(QStringLiteral("You are trying to link the gate to itself!"));
    const bool gateChanged = LeadTo(gate, targetSector, target);
    const bool targetChanged = crossLink && LeadTo(target, gateSector, gate);
    if (gateChanged)
        Changed(gate);
    if (targetChanged)
        Changed(target);
    return true;
}
