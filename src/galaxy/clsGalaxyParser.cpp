#include "galaxy/clsGalaxyParser.h"

#include "galaxy/mdlZorvGalaxy.h"

#include <exception>

namespace {

const QString kUniverseNamespace = QStringLiteral("XUNIVERS.xsd");

} // namespace

std::shared_ptr<clsGalaxyParser> clsGalaxyParser::Create() {
    return std::shared_ptr<clsGalaxyParser>(new clsGalaxyParser);
}

clsGalaxyParser::clsGalaxyParser() {
    mdlZorvGalaxy::InitGalaxyTables();
}

clsGalaxyParser::~clsGalaxyParser() {
    DropObjects();
}

clsGalaxyParser::Ptr clsGalaxyParser::NewGalObject(const Ptr& parent) {
    auto object = std::make_shared<clsGalaxyObject>();
    object->ID = ++m_idCounter;
    object->Parent = parent;
    object->parser = weak_from_this();
    return object;
}

clsGalaxyParser::Ptr clsGalaxyParser::CreateGalObject(const Ptr& parent) {
    Ptr object = NewGalObject(parent);
    objects.add(object, object->IndexKey());
    return object;
}

void clsGalaxyParser::ReleaseObjects(const Objects& collection) {
    for (const Ptr& object : collection) {
        object->Parent.reset();
        ReleaseObjects(object->Childs);
    }
}

void clsGalaxyParser::DropObjects() {
    // Every registered object, then the placed tree for any object placed
    // but never registered: each is visited at most twice, whatever its depth.
    for (const Ptr& object : objects)
        object->Parent.reset();
    ReleaseObjects(Sectors);
    objects.clear();
    Sectors.clear();
    m_idCounter = 0;
    m_missingTFiles.clear();
}

bool clsGalaxyParser::ParseFile(const QString& path) {
    DropObjects();
    Good = false;
    FileName.clear();
    if (!m_xml.OpenFile(path)) {
        SetLastError(QStringLiteral("Error loading file: \n") + m_xml.GetLastError());
        return false;
    }
    if (!m_xml.SelectNode(QStringLiteral("//universe"))) {
        SetLastError(QStringLiteral("Cannot find tag 'universe' in file.\n") +
                     m_xml.GetLastError());
        return false;
    }
    UniverseBookmark = m_xml.AddBookmark();
    Namespace = m_xml.GetNodeNamespace();
    const clsGalaxyObject::SectorGates gates(m_xml);
    // Every sector and gate is indexed and bookmarked: room for them at once.
    const std::size_t reading = gates.Sectors() + gates.Gates();
    objects.reserve(static_cast<int>(reading));
    m_xml.ReserveBookmarks(static_cast<int32_t>(reading));
    std::size_t place = 0;
    for (bool more = m_xml.Down(); more; more = m_xml.NextNode(), ++place) {
        const Ptr sector = CreateGalObject(nullptr);
        sector->Index = Sectors.count();
        if (!sector->FromXML(*this, m_xml, gates, place)) {
            SetLastError(QStringLiteral("Failed to load object: ") + sector->GetLastError());
            return false;
        }
        Sectors.add(sector, sector->IndexKey());
    }
    Good = true;
    FileName = path;
    return true;
}

bool clsGalaxyParser::LoadSectorChildren(const Ptr& target) {
    // Our own reference: reading may add sectors, and so move the entry of
    // `Sectors` that the caller's reference points into.
    const Ptr sector = target;
    const QString index = QString::number(sector->Index);
    try {
        if (!m_xml.SelectBookmark(sector->XMLBookmark)) {
            SetLastError(QStringLiteral("Cannot select bookmark of sector idx=") + index);
            return false;
        }
        // Reading starts again from the element: write the sector and its
        // gates back first, so that no unsaved edit of them is lost.
        if (!sector->ToXML(m_xml)) {
            SetLastError(QStringLiteral("Error loading children of sector idx=") + index + u'\n' +
                         sector->GetLastError());
            return false;
        }
        for (const Ptr& child : sector->Childs)
            ForgetObject(child);
        ReleaseObjects(sector->Childs);
        sector->Childs.clear();
        if (!m_xml.SelectBookmark(sector->XMLBookmark) || !sector->FromXML(*this, m_xml)) {
            SetLastError(QStringLiteral("Error loading children of sector idx=") + index + u'\n' +
                         sector->GetLastError());
            return false;
        }
        return true;
    } catch (const std::exception& fault) {
        SetLastError(QStringLiteral("Error handler in GalaxyParser->LoadSectorChildren: ") +
                     QString::fromUtf8(fault.what()));
        return false;
    }
}

bool clsGalaxyParser::SaveFile(const QString& path, int32_t fileType) {
    try {
        for (const Ptr& sector : Sectors) {
            if (!sector->ToXML(m_xml)) {
                SetLastError(QStringLiteral("Error saving object to xml:\n") +
                             sector->GetLastError());
                return false;
            }
        }
        if (!m_xml.SaveToFile(path, fileType)) {
            SetLastError(QStringLiteral("Error saving xml: \n") + m_xml.GetLastError());
            return false;
        }
        FileName = path;
        for (const Ptr& object : objects)
            object->Dirty = false;
        return true;
    } catch (const std::exception& fault) {
        SetLastError(QString::fromUtf8(fault.what()));
        return false;
    }
}

bool clsGalaxyParser::NewFile() {
    DropObjects();
    Good = true;
    m_xml.CreateDocument(QStringLiteral("universe"), kUniverseNamespace);
    UniverseBookmark = m_xml.AddBookmark();
    Namespace = kUniverseNamespace;
    return true;
}
