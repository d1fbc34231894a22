#include "tfiles/clsTxtParser.h"

#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvObjects.h"
#include "tfiles/TxtValue.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The names of a file's lines case-folded into one buffer, each code unit as
// two bytes high byte first, so that ordering two names is one byte
// comparison: what comparing the names without regard to case gives, without
// a fold per comparison.
class FoldedNames {
public:
    explicit FoldedNames(std::size_t count) {
        m_names.reserve(count);
        m_bytes.reserve(count * 32);
    }

    // The name of a line given as its last value, as ObjectName reads it.
    void add(const QVariant& name) {
        const std::size_t start = m_bytes.size();
        const QByteArray bytes =
            name.typeId() == QMetaType::QByteArray ? name.toByteArray() : QByteArray();
        if (!bytes.isEmpty() &&
            std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
            for (const char c : bytes)
                addUnit(char16_t(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
        } else {
            for (const QChar c : tfiles::ValueText(name).toCaseFolded())
                addUnit(c.unicode());
        }
        m_names.push_back({start, m_bytes.size() - start, m_names.size()});
    }

    // Positions of addition in name order; stable, so equal names keep their
    // order of addition.
    std::vector<std::size_t> order() {
        std::vector<std::pair<std::string_view, std::size_t>> sorted;
        sorted.reserve(m_names.size());
        for (const Name& name : m_names)
            sorted.emplace_back(std::string_view(m_bytes.data() + name.start, name.size),
                                name.position);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::size_t> order;
        order.reserve(sorted.size());
        for (const auto& [bytes, position] : sorted)
            order.push_back(position);
        return order;
    }

private:
    void addUnit(char16_t unit) {
        m_bytes.push_back(char(unit >> 8));
        m_bytes.push_back(char(unit & 0xFF));
    }

    struct Name {
        std::size_t start;
        std::size_t size;
        std::size_t position;
    };
    std::vector<char> m_bytes;
    std::vector<Name> m_names;
};

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
    m_cleanAt.reset();
    m_header = {};
    ReleaseStore();
    m_store = mdlZorvObjects::Zorv_LoadFromFile(file, 1);
    if (mdlZorvObjects::Zorv_GetLastError() != 0) {
        SetLastError(mdlZorvObjects::GetLastErrorText());
        return false;
    }
    if (!LoadFromHandle(m_store))
        return false;
    m_cleanAt = clsTXTObject::Writes();
    return true;
}

bool clsTxtParser::LoadFromHandle(int32_t handle) {
    if (mdlZorvObjects::Zorv_GetObjectType(handle) != ZORV_OBJECT_TFILE) {
        SetLastError(QStringLiteral("Not a valid T file."));
        return false;
    }
    m_store = handle;
    m_parsed = handle != 0;
    m_cleanAt.reset();

    int32_t count = 0;
    mdlZorvObjects::Zorv_EnumObjects(handle, nullptr, 0, &count);
    std::vector<int32_t> lines(static_cast<std::size_t>(std::max(count, 0)));
    if (!lines.empty())
        mdlZorvObjects::Zorv_EnumObjects(handle, lines.data(), count, nullptr);

    // A stable sort by name gives the order of inserting each line after the
    // last one whose name it does not sort before.
    objects.reserve(count);
    UnsortedObjects.reserve(count);
    // The line objects share one allocation; it lives while any of them is held.
    const auto block = std::make_shared<std::vector<clsTXTObject>>(lines.size());
    std::vector<Object> added;
    added.reserve(lines.size());
    FoldedNames names(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int32_t line = lines[i];
        Object object(block, &(*block)[i]);
        object->Sethandle(line);
        if (UnsortedObjects.add(object, platform::CollectionKey(line))) {
            names.add(object->IDValue());
            added.push_back(std::move(object));
        }
    }
    for (const std::size_t i : names.order())
        objects.add(added[i], platform::CollectionKey(added[i]->handle()));
    return true;
}

clsTxtParser::Object clsTxtParser::Find(int32_t id) const {
    return objects.find(platform::CollectionKey(id));
}

bool clsTxtParser::Save(int32_t file) {
    if (!mdlZorvObjects::Zorv_SaveToFile(file, m_store)) {
        SetLastError(mdlZorvFD::GetLastErrorText());
        return false;
    }
    mdlZorvFD::ZorvFD_SetEndOfFile(file);
    m_modified = false;
    m_cleanAt = clsTXTObject::Writes();
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
    if (m_cleanAt == clsTXTObject::Writes())
        return false;
    for (const Object& object : objects)
        if (object->Dirty())
            return true;
    m_cleanAt = clsTXTObject::Writes();
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
