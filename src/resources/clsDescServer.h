// The text resource server: a cache of the pages of one language, read from
// the language files in the folder "t" of the virtual file system, that
// answers text look-ups; and the operations on one open language document,
// which raise the three reading events while it is browsed.
//
// A text whose raw form begins with "{" is a reference list, resolved once,
// when it is read or written, against the document it comes from. A text
// that refers to itself, directly or through others, resolves that
// reference to an empty part.
#pragma once

#include "gamefiles/clsXMLParser.h"
#include "platform/KeyedCollection.h"
#include "resources/clsPage.h"
#include "resources/clsString.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class DocumentTexts;
struct FoundText;

class clsDescServer : public QObject {
    Q_OBJECT

public:
    explicit clsDescServer(QObject* parent = nullptr);
    ~clsDescServer() override;

    // The page cache, keyed by clsPage::Key, in the order pages were added.
    platform::KeyedCollection<clsPage>& pages() { return m_pages; }
    const platform::KeyedCollection<clsPage>& pages() const { return m_pages; }
    void SetPages(platform::KeyedCollection<clsPage> value) { m_pages = std::move(value); }

    // Opens a plain or packed language document for browsing and editing.
    bool OpenXMLFile(const QString& path);
    QString GetLastError() const { return m_lastError; }
    // OnLanguageSectionEnter once, then OnPageRead for each page element.
    // False without a page, or when an id is not a number (the pages with
    // good ids are still raised).
    bool EnumPages();
    // OnStringRead for each text of the page, references resolved.
    bool EnumStrings(int32_t PageID);
    // Empties the cache and reads the cached pages (17, 7, 2000 to 2013) of
    // every file of the language, a later file completing an earlier one.
    bool LoadResources(int32_t LangID);
    // Adds every page of the given files to the cache.
    bool LoadResourcesAr(int32_t LangID, const QStringList& paths);
    std::shared_ptr<clsPage> FindPage(int32_t id) const;
    // Resolves the reference list against the open document; true when the
    // raw text held at least one reference.
    bool TranslateString(clsString& str);
    std::shared_ptr<clsString> GetString(int32_t PageID, int32_t ID) const;
    void Unload();
    bool UpdateString(clsString& str);
    bool InsertString(clsString& str);
    // fileType 1 writes plain XML, 2 packed.
    bool SaveFile(const QString& path, int32_t fileType);
    bool UpdatePage(const clsPage& page);
    bool InsertPage(const clsPage& page);
    bool DeleteString(const clsString& str);
    bool DeletePage(const clsPage& page);
    bool CreateDocument(int32_t LangID);
    // The text, else DefaultVal when it is not empty, else "[string P:I]".
    QString GetString2(int32_t PID, int32_t sid, const QString& DefaultVal = QString()) const;

signals:
    void OnLanguageSectionEnter(int32_t ID);
    void OnPageRead(int32_t ID, const QString& Title, const QString& desc);
    void OnStringRead(const std::shared_ptr<clsString>& str);

private:
    enum class Search { NothingFound, NoNumericName, Found };
    enum class FileResult { Loaded, Failed, BadId };
    struct ReadPage;
    struct ReferenceWalk;

    // The page element the editor lists the texts of, and edits: the first
    // with the id anywhere in the document, nested or not. The cursor is
    // left on it.
    bool SelectShownPage(int32_t pageId);
    // The text the editor shows for an id: that page's last element with it.
    bool SelectShownText(int32_t pageId, int32_t id);
    Search FindResourceFiles(int32_t langId);
    void AddFileSorted(const QString& path);
    FileResult LoadFile(const QString& path, int32_t langId, bool allPages, QString& badId);
    // The page at the cursor; nothing when an id is not a number.
    std::optional<ReadPage> ReadPageAt(const QString& path, QString& badId);
    void ResolveReferences(const std::vector<ReadPage>& read);
    void AddPage(const std::shared_ptr<clsPage>& page);
    bool Translate(clsString& str, ReferenceWalk& walk);
    // Appends what the raw text resolves to; false, with nothing appended,
    // when it holds no reference. View: UTF-8 bytes or a string.
    template <class View>
    bool TranslateRaw(View raw, int32_t pageId, ReferenceWalk& walk, QString& out);
    template <class View>
    void ResolveReference(View reference, int32_t pageId, ReferenceWalk& walk, QString& out);
    void AppendTarget(int32_t pageId, int32_t id, ReferenceWalk& walk, QString& out);
    // keyPage: the page the target stands in, as far as known; around: the
    // page it was found in by its page number.
    void AppendResolved(int32_t pageId, int32_t id, const FoundText& raw, int32_t keyPage,
                        std::optional<int32_t> around, ReferenceWalk& walk, QString& out);
    void CloseDocument();
    void SetLastError(const QString& text) { m_lastError = text; }

    platform::KeyedCollection<clsPage> m_pages;
    clsXMLParser m_xml;
    std::unique_ptr<DocumentTexts> m_texts;
    QStringList m_files;
    QString m_lastError;
    struct ReadText {
        int32_t id;
        // The text's bytes in the document; nullptr for a text joined from
        // several parts, whose bytes lie in m_joinedBytes from offset.
        const char* single;
        size_t offset;
        size_t size;
    };
    // The texts of the page being read, kept to be reused.
    std::vector<ReadText> m_readTexts;
    std::string m_joinedBytes;
    // What the text being resolved resolves to, as far as it is built.
    QString m_resolved;
};

// The program's one resource server, made on first use.
clsDescServer& DescServer();
// Drops the program's server; the next use makes a new, empty one.
void ResetDescServer();
