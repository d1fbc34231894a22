// The language document the Text Resource Editor shows: a file opened on a
// server of its own, a new or merged document, or the read-only pages in
// memory of the program's server. It owns the listed pages and performs
// every change of the document in one call that returns success and an
// error text, keeps the modified flag and tells the windows what changed.
#pragma once

#include "platform/KeyedCollection.h"
#include "resources/clsPage.h"
#include "resources/clsString.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class clsDescServer;

class ResEditorDocument : public QObject {
    Q_OBJECT

public:
    // The names the caption and the save prompt show for documents without
    // a file.
    static const QString kMemoryName;
    static const QString kNewName;
    static const QString kMergedName;

    explicit ResEditorDocument(QObject* parent = nullptr);
    ~ResEditorDocument() override;

    // The document's own server, or the program's in memory mode.
    clsDescServer& Server() const;
    // The listed pages, keyed by clsPage::Key, in list order.
    const platform::KeyedCollection<clsPage>& Pages() const { return m_pages; }
    // The title the page list shows: the last page element read with the
    // page's id may name one that the page did not take.
    QString RowTitle(const clsPage& page) const;

    QString FileName() const { return m_fileName; }
    // The full file name, kMemoryName, kNewName, kMergedName, or "" when no
    // document is shown.
    QString DocName() const { return m_docName; }
    int32_t LangID() const { return m_langId; }
    bool Modified() const { return m_modified; }
    bool MemoryMode() const { return m_memoryMode; }

    // Opens a plain or packed file, or one inside a catalog, on a new
    // server. A file that cannot be opened leaves an empty document without
    // a name; error holds the server's reason.
    bool Open(const QString& path, QString& error);
    // The pages in memory of the program's server, read-only.
    void ShowMemory();
    // Reloads the program's server in the language; the pages in memory
    // are shown again when they are shown.
    bool ReloadMemory(int32_t langId, QString& error);
    // An empty document of the language on a new server, to be saved under
    // fileName.
    bool New(int32_t langId, const QString& fileName, QString& error);
    // A document built from the pages of a server loaded with several
    // files; references resolve against the whole merged document. On a
    // failed insertion the document stays as far as it got.
    bool Merge(std::unique_ptr<clsDescServer> merged, int32_t langId, QString& error);
    // fileType 1 plain, 2 packed.
    bool Save(const QString& path, int32_t fileType, QString& error);

    // Reads the texts of a page of an opened file on its first selection;
    // true when it read them now.
    bool LoadPageTexts(clsPage& page);

    // The text's reference list resolved against the open document.
    void Translate(clsString& text) const;
    bool AddText(const std::shared_ptr<clsPage>& page, const std::shared_ptr<clsString>& text,
                 QString& error);
    // Writes a new raw text; Dirty tells whether it differs from the old.
    bool UpdateText(clsString& text, const QString& rawText, QString& error);
    bool DeleteText(const std::shared_ptr<clsPage>& page, const std::shared_ptr<clsString>& text,
                    QString& error);
    bool AddPage(const std::shared_ptr<clsPage>& page, QString& error);
    bool UpdatePage(clsPage& page, const QString& name, const QString& desc, QString& error);
    bool DeletePage(const std::shared_ptr<clsPage>& page, QString& error);

signals:
    // Another document, or the pages listed anew.
    void documentReplaced();
    // Name, language or modified flag.
    void stateChanged();
    void pageAdded(const QString& key);
    void pageChanged(const QString& key);
    void pageRemoved(const QString& key);
    void textAdded(const QString& pageKey, const QString& key);
    void textChanged(const QString& pageKey, const QString& key);
    void textRemoved(const QString& pageKey, const QString& key);

private:
    bool RefuseInMemory(QString& error) const;
    void ReplaceServer(std::unique_ptr<clsDescServer> server);
    void ListCachedPages();
    void OnPageRead(int32_t id, const QString& title, const QString& desc);
    void SetModified(bool modified);

    std::unique_ptr<clsDescServer> m_own;
    platform::KeyedCollection<clsPage> m_pages;
    QHash<QString, QString> m_rowTitles;
    clsPage* m_loading = nullptr;
    QString m_fileName;
    QString m_docName;
    int32_t m_langId = 0;
    bool m_modified = false;
    bool m_memoryMode = false;
    int32_t m_pageSerial = 0;
};
