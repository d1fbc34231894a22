#include "tfiles/clsTxtParser.h"

#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvObjects.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool CompareNames(const QString& first, const QString& second) {
    return QString::compare(first, second, Qt::CaseInsensitive) < 0;
}

} // namespace

clsTxtParser::~clsTxtParser() {
    try {
        ReleaseStore();
    } catch (...) {
        // The store library went away; its handles went with it.
    }
}

void clsTxtParser::ReleaseStore() {
    if (m_store)
        mdlZorvObjects::Zorv_DeleteHandle(m_store);
    m_store = 0;
}

int32_t clsTxtParser::LineCount() {
    if (m_header.version == 0)
        mdlZorvObjects::Zorv_TXTGetHeader(m_store, m_header);
    return m_header.lineCount;
}

bool clsTxtParser::Load(int32_t file) {
    objects.clear();
    UnsortedObjects.clear();
    m_modified = false;
    m_parsed = false;
    m_header = {};
    ReleaseStore();
    m_store = mdlZorvObjects::Zorv_LoadFromFile(file, 1);
    if (mdlZorvObjects::Zorv_GetLastError() != 0) {
        SetLastError(mdlZorvObjects::GetLastErrorText());
        return false;
    }
    return LoadFromHandle(m_store);
}

bool clsTxtParser::LoadFromHandle(int32_t handle) {
    if (mdlZorvObjects::Zorv_GetObjectType(handle) != ZORV_OBJECT_TFILE) {
        SetLastError(QStringLiteral("Not a valid T file."));
        return false;
    }
    m_store = handle;
    m_parsed = handle != 0;

    int32_t count = 0;
    mdlZorvObjects::Zorv_EnumObjects(handle, nullptr, 0, &count);
    std::vector<int32_t> lines(static_cast<std::size_t>(std::max(count, 0)));
    if (!lines.empty())
        mdlZorvObjects::Zorv_EnumObjects(handle, lines.data(), count, nullptr);

    // A stable sort by name gives the order of inserting each line after the
    // last one whose name it does not sort before.
    std::vector<std::pair<QString, Object>> named;
    named.reserve(lines.size());
    for (const int32_t line : lines) {
        auto object = std::make_shared<clsTXTObject>();
        object->Sethandle(line);
        if (UnsortedObjects.add(object, object->Key()))
            named.emplace_back(object->ObjectName(), std::move(object));
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return CompareNames(a.first, b.first); });
    for (const auto& [name, object] : named)
        objects.add(object, object->Key());
    return true;
}

clsTxtParser::Object clsTxtParser::Find(int32_t id) const {
    return FindKey(QString::number(id) + u'k');
}

bool clsTxtParser::Save(int32_t file) {
    if (!mdlZorvObjects::Zorv_SaveToFile(file, m_store)) {
        SetLastError(mdlZorvFD::GetLastErrorText());
        return false;
    }
    mdlZorvFD::ZorvFD_SetEndOfFile(file);
    m_modified = false;
    return true;
}

clsTxtParser::Object clsTxtParser::FindIndex(int32_t index) const {
    if (index < 0 || index >= UnsortedObjects.count())
        return nullptr;
    return UnsortedObjects.at(index + 1);
}

bool clsTxtParser::RemoveObject(const clsTXTObject& object) {
    const QString key = object.Key();
    if (!UnsortedObjects.contains(key)) {
        SetLastError(QStringLiteral("The object is not in this file."));
        return false;
    }
    // The store first: a line it keeps stays listed.
    if (!mdlZorvObjects::Zorv_DeleteHandle(object.handle())) {
        SetLastError(mdlZorvObjects::GetLastErrorText());
        return false;
    }
    UnsortedObjects.remove(key);
    objects.remove(key);
    m_modified = true;
    return true;
}

bool clsTxtParser::CheckDirty() const {
    if (m_modified)
        return true;
    for (const Object& object : objects)
        if (object->Dirty())
            return true;
    return false;
}

clsTxtParser::Object clsTxtParser::CreateObject(const clsTXTObject* before) {
    const int32_t line =
        mdlZorvObjects::Zorv_CreateObject(m_store, 1, before ? before->handle() : 0);
    if (!line) {
        SetLastError(mdlZorvObjects::GetLastErrorText());
        return nullptr;
    }
    auto object = std::make_shared<clsTXTObject>();
    object->Sethandle(line);
    const QString key = object->Key();
    if (!before || !UnsortedObjects.insertBefore(before->Key(), object, key))
        UnsortedObjects.add(object, key);
    objects.add(object, key);
    m_modified = true;
    return object;
}
