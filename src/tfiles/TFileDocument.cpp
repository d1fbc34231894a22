#include "tfiles/TFileDocument.h"

#include "gamefiles/GameText.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvObjects.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

namespace {

const QString kNewObject = QStringLiteral("NEW_OBJECT");

// Closes a file-driver handle on every way out.
class FileHandle {
public:
    explicit FileHandle(int32_t handle) : m_handle(handle) {}
    ~FileHandle() {
        if (m_handle)
            mdlZorvFD::ZorvFD_CloseFile(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int32_t get() const { return m_handle; }

private:
    int32_t m_handle;
};

bool BreaksLine(const QString& text) {
    return text.contains(u';') || text.contains(u'\n') || text.contains(u'\r');
}

// The number after "NEW_OBJECT_" in a name; nothing when there is none.
std::optional<int64_t> NewObjectNumber(const QString& name) {
    if (!name.contains(kNewObject))
        return std::nullopt;
    QString rest = name.right(name.size() - kNewObject.size());
    if (rest.size() > 1)
        rest.remove(0, 1);
    bool ok = false;
    const qlonglong number = rest.toLongLong(&ok);
    if (!ok || number < 0)
        return std::nullopt;
    return number;
}

// The store's reason for the change it just refused.
bool StoreRefused(QString& error) {
    error = mdlZorvObjects::GetLastErrorText();
    return false;
}

} // namespace

TFileDocument::TFileDocument(QObject* parent)
    : QObject(parent), m_parser(std::make_shared<clsTxtParser>()) {}

TFileDocument::~TFileDocument() = default;

bool TFileDocument::IsDirty() const {
    return IsOpen() && m_parser->CheckDirty();
}

TFileDocument::OpenResult TFileDocument::Open(const QString& path, QString& error) {
    const FileHandle file(mdlZorvFD::ZorvFD_OpenFile(path, 0, 0, 0));
    if (!file.get()) {
        error = mdlZorvFD::GetLastErrorText();
        return OpenResult::NotOpened;
    }
    // A fresh parser, so a file that fails to load leaves the open one alone.
    auto parser = std::make_shared<clsTxtParser>();
    if (!parser->Load(file.get())) {
        error = parser->GetLastError();
        return OpenResult::NotLoaded;
    }
    parser->FileName = path;
    m_parser = std::move(parser);
    emit Loaded();
    return OpenResult::Loaded;
}

TFileDocument::SaveResult TFileDocument::Save(const QString& path, int32_t typeCode,
                                              QString& error) {
    const FileHandle file(mdlZorvFD::ZorvFD_OpenFile(path, 1, 1, typeCode));
    if (!file.get()) {
        error = mdlZorvFD::GetLastErrorText();
        return SaveResult::NotOpened;
    }
    if (!m_parser->Save(file.get())) {
        error = m_parser->GetLastError();
        return SaveResult::NotWritten;
    }
    m_parser->FileName = path;
    emit Saved();
    return SaveResult::Saved;
}

bool TFileDocument::SetValue(const Record& record, int32_t index, const QVariant& value,
                             QString& error) {
    if (!record || index < 0 || index >= record->size()) {
        error = QStringLiteral("The object has no value at offset %1.").arg(index);
        return false;
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (BreaksLine(text)) {
            error = QStringLiteral("A value cannot hold \";\" or a line break.");
            return false;
        }
        if (!record->SetValue(index, gamefiles::EncodeText(text)))
            return StoreRefused(error);
    } else if (!record->SetValue(index, value)) {
        return StoreRefused(error);
    }
    emit ObjectChanged(record);
    return true;
}

bool TFileDocument::SetObjectName(const Record& record, const QString& name, QString& error) {
    if (name.isEmpty()) {
        error = QStringLiteral("The name cannot be empty.");
        return false;
    }
    if (BreaksLine(name)) {
        error = QStringLiteral("The name cannot hold \";\" or a line break.");
        return false;
    }
    if (!record || record->size() < 1) {
        error = QStringLiteral("The object has no ID string.");
        return false;
    }
    if (!record->SetObjectName(name))
        return StoreRefused(error);
    emit ObjectChanged(record);
    return true;
}

TFileDocument::Record TFileDocument::CreateObject(const Record& before, int32_t valueCount,
                                                  QString& error) {
    Record record = m_parser->CreateObject(before.get());
    if (!record) {
        error = m_parser->GetLastError();
        return nullptr;
    }
    if (!record->Construct(valueCount)) {
        StoreRefused(error);
        DiscardObject(record);
        return nullptr;
    }
    return record;
}

void TFileDocument::DiscardObject(const Record& record) {
    if (record)
        m_parser->RemoveObject(*record);
}

TFileDocument::Record TFileDocument::InsertObject(const Record& before, const Record& source,
                                                  int32_t kind, bool keepName,
                                                  const LineMaker& maker, QString& error) {
    Record created;
    try {
        created = maker.create(before);
        if (!created) {
            error = QStringLiteral("No line of this kind can be made.");
            return nullptr;
        }
        created->otype = kind;
        bool complete = !source || CopyValues(*source, created, error);
        if (complete && source)
            maker.adopt(created);
        if (complete && !keepName)
            complete = SetObjectName(created, NewObjectName(), error);
        if (complete)
            return created;
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
    }
    DiscardObject(created);
    return nullptr;
}

bool TFileDocument::CopyValues(const clsTXTObject& source, const Record& record, QString& error) {
    if (!source.CopyTo(*record))
        return StoreRefused(error);
    emit ObjectChanged(record);
    return true;
}

bool TFileDocument::RemoveObject(const Record& record, QString& error) {
    if (!m_parser->RemoveObject(*record)) {
        error = m_parser->GetLastError();
        return false;
    }
    emit ObjectRemoved(record);
    return true;
}

bool TFileDocument::EditLine(const Record& record, const std::function<bool(QString& error)>& edit,
                             QString& error) {
    try {
        if (!edit(error))
            return false;
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
        return false;
    }
    emit ObjectChanged(record);
    return true;
}

QString TFileDocument::NewObjectName() const {
    int64_t greatest = 0;
    for (const Record& object : m_parser->objects)
        if (const std::optional<int64_t> number = NewObjectNumber(object->ObjectName()))
            greatest = std::max(greatest, *number);
    if (greatest == std::numeric_limits<int64_t>::max())
        greatest = 0;
    // A number in use in another spelling ("NEW_OBJECT_007") is skipped.
    QString name;
    do
        name = kNewObject + u'_' + QString::number(++greatest);
    while (NameInUse(name));
    return name;
}

bool TFileDocument::NameInUse(const QString& name) const {
    for (const Record& object : m_parser->objects)
        if (QString::compare(object->ObjectName(), name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TFileDocument::SetKind(int32_t kind) {
    for (const Record& object : m_parser->objects)
        object->otype = kind;
}
