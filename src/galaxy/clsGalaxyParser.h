// The universe map document: the XML document of one map file, the map
// objects read from it and the two indexes over them. A file opens with every
// sector and its gates only; the rest of a sector is read when it is opened,
// and whatever was not read or not changed is saved exactly as it was read.
//
// A document is always held by std::shared_ptr (Create), since its objects
// refer back to it without owning it.
#pragma once

#include "galaxy/clsGalaxyObject.h"
#include "gamefiles/clsXMLParser.h"
#include "platform/KeyedCollection.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class clsPage;
class clsTxtParser;
class clsTXTObject;

class clsGalaxyParser : public std::enable_shared_from_this<clsGalaxyParser> {
public:
    using Ptr = clsGalaxyObject::Ptr;
    using Objects = platform::KeyedCollection<clsGalaxyObject>;

    // Record modes of the T-file look-ups: the record's name with its ID
    // string as fall-back, the ID string, the name alone.
    static constexpr int32_t kRecordName = 0;
    static constexpr int32_t kRecordID = 1;
    static constexpr int32_t kRecordNameOnly = 2;

    // While one is alive, each T-file text of a type, subtype and mode is
    // looked up once: labelling a tree asks for the same few records
    // thousands of times, and nothing edits T-files or text resources while
    // labels are made. The texts are kept for later batches until the text
    // resources or the T-files they came from change. Batches nest.
    class TextBatch {
    public:
        explicit TextBatch(clsGalaxyParser& document);
        ~TextBatch();
        TextBatch(const TextBatch&) = delete;
        TextBatch& operator=(const TextBatch&) = delete;

    private:
        clsGalaxyParser& m_document;
    };

    static std::shared_ptr<clsGalaxyParser> Create();
    ~clsGalaxyParser();
    clsGalaxyParser(const clsGalaxyParser&) = delete;
    clsGalaxyParser& operator=(const clsGalaxyParser&) = delete;

    // Every registered object, and the sectors in document order.
    Objects objects;
    Objects Sectors;
    QString FileName;
    bool Good = false;
    QString Namespace;
    int32_t UniverseBookmark = 0;

    QString GetLastError() const { return m_lastError; }
    // A new object with the next ID, entered in `objects`.
    Ptr CreateGalObject(const Ptr& parent);
    // A new object with the next ID, registered nowhere.
    Ptr NewGalObject(const Ptr& parent);
    bool ParseFile(const QString& path);
    // The first sector at that cell of the universe grid.
    Ptr FindSector(int32_t x, int32_t y) const;
    // Reads all children of a sector read with its gates only; the gate
    // objects are replaced by new ones.
    bool LoadSectorChildren(const Ptr& sector);
    QString GetObjectID(const Ptr& object);
    QString GetObjectName(const Ptr& object);
    // Inside a TextBatch, a number that objects share when their IDs and
    // names are the kept texts of one type and subtype, so that what is
    // made of those texts can be kept by it too; 0 outside a batch and for
    // objects named otherwise (sectors, objects with a name of their own).
    // The numbers hold while KeptTextsGeneration() stays the same.
    quint64 KeptTextsKey(const clsGalaxyObject& object) const;
    // Changes whenever the kept texts are dropped, and differs between
    // documents.
    quint64 KeptTextsGeneration() const { return m_keptGeneration; }
    // Asks for the memory that naming the object reads (the attributes it
    // keeps at hand), ahead of naming objects that lie far apart in memory.
    static void PrefetchNaming(const clsGalaxyObject& object) {
        __builtin_prefetch(&object.m_known.front());
        __builtin_prefetch(&object.m_known.back());
    }
    QString GetObjectSubType(const Ptr& object, int32_t mode);
    int32_t GetSectorStringID(const Ptr& sector) const;
    // fileType 1 plain XML, 2 packed.
    bool SaveFile(const QString& path, int32_t fileType);
    // One entry per record of the type's T-file, by file position.
    QStringList GetSubTypeNames(int32_t type, int32_t mode);
    // Enters an object and its subtree in the indexes; placing it in its
    // parent's Childs is the caller's step.
    bool AddObject(const Ptr& object);
    // Takes an object and its subtree out of the map and the file; when the
    // file cannot let its element go, nothing changes.
    bool DeleteObject(const Ptr& object);
    // Writes an object and its subtree into the XML document now.
    bool UpdateObjectXML(const Ptr& object);
    // Moves an object before the target, or into it as its last child.
    // Every check is made before model or file change.
    bool MoveObject(const Ptr& object, const Ptr& target, bool asChild);
    // The default attributes and sub-object containers of a new object.
    bool CreateDefaultObjects(const Ptr& object);
    bool NewFile();
    QString GetTargetSectorName(const Ptr& gate, bool asID);

private:
    friend class clsGalaxyObject;

    clsGalaxyParser();
    void SetLastError(const QString& text) { m_lastError = text; }
    static void ReleaseObjects(const Objects& collection);
    void DropObjects();
    // Steps of AddObject for the object alone.
    bool RegisterObject(const Ptr& object, const platform::CollectionKey& key);
    // The object and its whole subtree leave `objects` and `Sectors`.
    void ForgetObject(const Ptr& object);
    void RemoveDescendants(const Ptr& object);

    void DropChangedTexts();
    QString GetSectorName(const Ptr& sector);
    bool KeepsTexts(int32_t type, int32_t mode) const;
    bool GetTFileObjectText(int32_t type, int32_t subtype, QString& text, int32_t mode);
    bool LookUpTFileText(int32_t type, int32_t subtype, QString& text, int32_t mode);
    bool GetRecordText(const clsTXTObject& record, int32_t mode, QString& text);
    std::shared_ptr<clsTxtParser> TFileOfType(int32_t type);

    void SetDefaultRace(const Ptr& object);
    bool AddDefaultChild(const Ptr& parent, int32_t type, int32_t subtype);
    bool CheckMove(const Ptr& object, const Ptr& target, bool asChild);

    clsXMLParser m_xml;
    QString m_lastError;
    int32_t m_idCounter = 0;
    // T-files that could not be had, so a map of many objects of a missing
    // table asks the file system once, not once per object.
    QSet<QString> m_missingTFiles;
    struct BatchText {
        QString text;
        bool found = false;
    };
    int m_textBatches = 0;
    QHash<quint64, BatchText> m_batchTexts;
    QHash<int32_t, std::shared_ptr<clsTxtParser>> m_batchFiles;
    quint64 m_keptGeneration = 0;
    // The names page the kept texts were read from, and its size then.
    std::weak_ptr<clsPage> m_textsPage;
    qsizetype m_textsPageSize = -1;
};
