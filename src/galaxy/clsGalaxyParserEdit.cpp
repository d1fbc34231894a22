// The editing operations of the map document: registering, deleting,
// writing, moving, and the defaults of new objects.
#include "galaxy/clsGalaxyParser.h"

namespace {

constexpr int32_t kSector = 1;
constexpr int32_t kBackground = 2;
constexpr int32_t kDock = 5;
constexpr int32_t kFactory = 6;
constexpr int32_t kShip = 7;
constexpr int32_t kAsteroid = 17;
constexpr int32_t kGate = 18;
constexpr int32_t kContainer = 23;

constexpr int32_t kDockedShips = 5;
constexpr int32_t kPrimaryResources = 6;
constexpr int32_t kProduct = 7;
constexpr int32_t kSecondaryResources = 8;
constexpr int32_t kFlyingShips = 9;

bool IsSector(const clsGalaxyObject::Ptr& object) {
    return object && object->otype() == kSector;
}

bool IsContainer(const clsGalaxyObject::Ptr& object, int32_t group) {
    return object && object->otype() == kContainer && object->subtype() == group;
}

// True when `object` is `ancestor` or lies anywhere below it.
bool IsWithin(clsGalaxyObject::Ptr object, const clsGalaxyObject::Ptr& ancestor) {
    for (; object; object = object->Parent.lock())
        if (object == ancestor)
            return true;
    return false;
}

void SetAll(clsGalaxyObject& object, std::initializer_list<const char*> names) {
    for (const char* name : names)
        object.AddProperty(QString::fromLatin1(name), 0);
}

} // namespace

bool clsGalaxyParser::RegisterObject(const Ptr& object, const platform::CollectionKey& key) {
    if (object->otype() == kSector && !Sectors.add(object, key))
        return false;
    objects.add(object, key);
    return true;
}

bool clsGalaxyParser::AddObject(const Ptr& object) {
    if (!RegisterObject(object, object->IndexKey()))
        return false;
    for (const Ptr& child : object->Childs)
        AddObject(child);
    return true;
}

void clsGalaxyParser::ForgetObject(const Ptr& object) {
    Sectors.remove(object->IndexKey());
    objects.remove(object->IndexKey());
    for (const Ptr& child : object->Childs)
        ForgetObject(child);
}

void clsGalaxyParser::RemoveDescendants(const Ptr& object) {
    for (const Ptr& child : object->Childs) {
        Sectors.remove(child->IndexKey());
        objects.remove(child->IndexKey());
        // Their elements went with the object's: they have none now.
        child->XMLBookmark = 0;
        child->Dirty = true;
        RemoveDescendants(child);
    }
}

bool clsGalaxyParser::DeleteObject(const Ptr& object) {
    // The file goes first: when its element cannot be removed, the map keeps
    // the object as it was. An object never written has no element.
    if (object->XMLBookmark != 0 && !object->DeleteFromXML(m_xml)) {
        SetLastError(object->GetLastError());
        return false;
    }
    SetLastError(object->GetLastError());
    if (const Ptr parent = object->Parent.lock())
        parent->Childs.remove(object->IndexKey());
    object->Parent.reset();
    Sectors.remove(object->IndexKey());
    objects.remove(object->IndexKey());
    RemoveDescendants(object);
    return true;
}

bool clsGalaxyParser::UpdateObjectXML(const Ptr& object) {
    const bool written = object->ToXML(m_xml);
    SetLastError(object->GetLastError());
    return written;
}

bool clsGalaxyParser::CheckMove(const Ptr& object, const Ptr& target, bool asChild) {
    const Ptr objectParent = object->Parent.lock();
    const Ptr targetParent = target->Parent.lock();
    if (object == target) {
        SetLastError(QStringLiteral("Node and target are the same object."));
    } else if ((!objectParent && !IsSector(object)) || (!targetParent && !IsSector(target))) {
        SetLastError(QStringLiteral("Object does not have parent and it is not sector."));
    } else if (IsSector(object) && (asChild || !IsSector(target))) {
        SetLastError(QStringLiteral("Cannot insert sector as child."));
    } else if (!IsSector(object) && IsSector(target) && !asChild) {
        SetLastError(QStringLiteral("Cannot add non-sector as siblink of sector."));
    } else if (IsWithin(asChild ? target : targetParent, object)) {
        SetLastError(QStringLiteral("Cannot move an object into its own subtree."));
    } else if (IsSector(object) &&
               (!Sectors.contains(object->IndexKey()) || !Sectors.contains(target->IndexKey()))) {
        SetLastError(QStringLiteral("clsGalaxyParser->MoveObject: the sector is not in the "
                                    "map."));
    } else if (object->XMLBookmark <= 0 || target->XMLBookmark <= 0) {
        SetLastError(QStringLiteral("Invalid bookmark."));
    } else {
        return true;
    }
    return false;
}

bool clsGalaxyParser::MoveObject(const Ptr& object, const Ptr& target, bool asChild) {
    if (!CheckMove(object, target, asChild))
        return false;
    // The file first: when it refuses, the model has not changed either.
    if (!m_xml.MoveNode(object->XMLBookmark, target->XMLBookmark, asChild)) {
        SetLastError(m_xml.GetLastError());
        return false;
    }
    const platform::CollectionKey key = object->IndexKey();
    if (const Ptr parent = object->Parent.lock())
        parent->Childs.remove(key);
    const Ptr newParent = asChild ? target : target->Parent.lock();
    object->Parent = newParent;
    if (IsSector(object)) {
        Sectors.remove(key);
        Sectors.insertBefore(target->IndexKey(), object, key);
    } else {
        newParent->Childs.add(object, key);
    }
    return true;
}

void clsGalaxyParser::SetDefaultRace(const Ptr& object) {
    const int32_t type = object->otype();
    const Ptr parent = object->Parent.lock();
    const bool raced = type == kSector || type == kDock || type == kFactory || type == kGate ||
                       (type == kShip && parent && !IsContainer(parent, kProduct));
    if (raced)
        object->AddProperty(QStringLiteral("r"), 1);
}

bool clsGalaxyParser::AddDefaultChild(const Ptr& parent, int32_t type, int32_t subtype) {
    const Ptr child = CreateGalObject(parent);
    child->Setotype(type);
    child->Setsubtype(subtype);
    // New, so nothing of it is left to read.
    child->Loaded = true;
    parent->Childs.add(child, child->IndexKey());
    if (UpdateObjectXML(child))
        return true;
    SetLastError(QStringLiteral("Error while creating default objects:\n") + GetLastError());
    return false;
}

bool clsGalaxyParser::CreateDefaultObjects(const Ptr& object) {
    SetDefaultRace(object);
    const int32_t type = object->otype();
    const Ptr parent = object->Parent.lock();
    if (IsSector(parent) || IsContainer(parent, kFlyingShips)) {
        SetAll(*object, {"x", "y", "z"});
        if (type != kShip)
            SetAll(*object, {"a", "b", "g"});
    }
    switch (type) {
    case kSector:
        SetAll(*object, {"x", "y", "color", "ff", "fc", "fn"});
        AddDefaultChild(object, kBackground, 0);
        break;
    case kDock:
        AddDefaultChild(object, kContainer, kSecondaryResources);
        AddDefaultChild(object, kContainer, kDockedShips);
        break;
    case kFactory:
        AddDefaultChild(object, kContainer, kPrimaryResources);
        AddDefaultChild(object, kContainer, kProduct);
        AddDefaultChild(object, kContainer, kDockedShips);
        break;
    case kAsteroid:
        SetAll(*object, {"atype", "aamount"});
        break;
    case kGate:
        SetAll(*object, {"gid", "gx", "gy", "gtid"});
        break;
    default:
        break;
    }
    return true;
}

clsGalaxyParser::Ptr clsGalaxyParser::FindSector(int32_t x, int32_t y) const {
    for (const Ptr& sector : Sectors)
        if (sector->x() == x && sector->y() == y)
            return sector;
    return nullptr;
}
