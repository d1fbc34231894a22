#include "resources/ResEditorDocument.h"

#include "resources/clsDescServer.h"

const QString ResEditorDocument::kMemoryName = QStringLiteral("pages in memory");
const QString ResEditorDocument::kNewName = QStringLiteral("new document");
const QString ResEditorDocument::kMergedName = QStringLiteral("Merged Files");

namespace {

const char* const kReadOnly = "The pages in memory cannot be modified.";

QString PageMissing(int32_t pageId) {
    return "Page " + QString::number(pageId) + " is not in the document.";
}

QString TextMissing(const clsString& text) {
    return "Text " + QString::number(text.ID) + " of page " + QString::number(text.PageID) +
           " is not in the document.";
}

// False, with the reason, for a text no language file can hold.
bool Writable(const QString& text, QString& error, const char* what = "The text") {
    error = clsXMLParser::Unwritable(text, QString::fromLatin1(what));
    return error.isEmpty();
}

} // namespace

ResEditorDocument::ResEditorDocument(QObject* parent) : QObject(parent) {}

ResEditorDocument::~ResEditorDocument() = default;

clsDescServer& ResEditorDocument::Server() const {
    return m_own ? *m_own : DescServer();
}

QString ResEditorDocument::RowTitle(const clsPage& page) const {
    return m_rowTitles.value(page.Key(), page.Name);
}

bool ResEditorDocument::Open(const QString& path, QString& error) {
    auto server = std::make_unique<clsDescServer>();
    const bool opened = server->OpenXMLFile(path);
    if (!opened)
        error = server->GetLastError();
    ReplaceServer(std::move(server));
    m_fileName = opened ? path : QString();
    m_docName = m_fileName;
    // A document that failed to open replaced the one shown: nothing is left
    // to save.
    m_modified = false;
    if (opened) {
        m_memoryMode = false;
        clsDescServer& reader = *m_own;
        connect(&reader, &clsDescServer::OnLanguageSectionEnter, this,
                [this](int32_t id) { m_langId = id; });
        connect(&reader, &clsDescServer::OnPageRead, this, &ResEditorDocument::OnPageRead);
        reader.EnumPages();
        disconnect(&reader, nullptr, this, nullptr);
    }
    emit documentReplaced();
    emit stateChanged();
    return opened;
}

void ResEditorDocument::ShowMemory() {
    m_own.reset();
    m_langId = -1;
    m_memoryMode = true;
    m_modified = false;
    m_fileName.clear();
    m_docName = kMemoryName;
    ListCachedPages();
}

bool ResEditorDocument::ReloadMemory(int32_t langId, QString& error) {
    clsDescServer& global = DescServer();
    const bool loaded = global.LoadResources(langId);
    if (!loaded)
        error = global.GetLastError();
    if (m_memoryMode)
        ShowMemory();
    return loaded;
}

bool ResEditorDocument::New(int32_t langId, const QString& fileName, QString& error) {
    // Never on the program's server: a reload would replace the new
    // document with the game's files.
    auto server = std::make_unique<clsDescServer>();
    if (!server->CreateDocument(langId)) {
        error = server->GetLastError();
        return false;
    }
    ReplaceServer(std::move(server));
    m_fileName = fileName;
    m_langId = langId;
    m_memoryMode = false;
    m_modified = false;
    m_docName = kNewName;
    emit documentReplaced();
    emit stateChanged();
    return true;
}

bool ResEditorDocument::Merge(std::unique_ptr<clsDescServer> merged, int32_t langId,
                              QString& error) {
    if (!merged) {
        error = QStringLiteral("Error while updating xml.");
        return false;
    }
    ReplaceServer(std::move(merged));
    clsDescServer& server = *m_own;
    m_fileName.clear();
    m_docName = kMergedName;
    m_langId = langId;
    m_memoryMode = false;
    // A failed insertion does not stop the others: as much as can be is kept.
    bool ok = server.CreateDocument(langId);
    const auto& pages = server.pages();
    for (const auto& page : pages) {
        ok = server.InsertPage(*page) && ok;
        for (const auto& text : page->Strings)
            ok = server.InsertString(*text) && ok;
    }
    // Each text was resolved as it was inserted, before the pages after it
    // were in the document.
    for (const auto& page : pages)
        for (const auto& text : page->Strings)
            server.TranslateString(*text);
    if (!ok)
        error = QStringLiteral("Error while updating xml.");
    // The merged document lives only here until it is saved.
    m_modified = true;
    ListCachedPages();
    return ok;
}

bool ResEditorDocument::Save(const QString& path, int32_t fileType, QString& error) {
    if (RefuseInMemory(error))
        return false;
    clsDescServer& server = Server();
    if (!server.SaveFile(path, fileType)) {
        error = server.GetLastError();
        return false;
    }
    m_fileName = path;
    m_docName = path;
    m_modified = false;
    emit stateChanged();
    return true;
}

bool ResEditorDocument::LoadPageTexts(clsPage& page) {
    if (!page.NotLoaded)
        return false;
    clsDescServer& server = Server();
    m_loading = &page;
    connect(&server, &clsDescServer::OnStringRead, this,
            [this](const std::shared_ptr<clsString>& text) { m_loading->AddString(text); });
    server.EnumStrings(page.PageID);
    disconnect(&server, &clsDescServer::OnStringRead, this, nullptr);
    m_loading = nullptr;
    page.NotLoaded = false;
    return true;
}

void ResEditorDocument::Translate(clsString& text) const {
    Server().TranslateString(text);
}

bool ResEditorDocument::AddText(const std::shared_ptr<clsPage>& page,
                                const std::shared_ptr<clsString>& text, QString& error) {
    if (RefuseInMemory(error))
        return false;
    if (page->FindString(text->ID)) {
        error = QStringLiteral("This text ID is already used in this page.");
        return false;
    }
    text->PageID = page->PageID;
    if (!Writable(text->RawText(), error))
        return false;
    if (!Server().InsertString(*text)) {
        error = PageMissing(page->PageID);
        return false;
    }
    text->Dirty = !text->RawText().isEmpty();
    page->AddString(text);
    SetModified(true);
    emit textAdded(page->Key(), text->Key());
    return true;
}

bool ResEditorDocument::UpdateText(clsString& text, const QString& rawText, QString& error) {
    if (RefuseInMemory(error))
        return false;
    const auto copy = text.Clone();
    copy->SetRawText(rawText);
    if (!Writable(rawText, error))
        return false;
    if (!Server().UpdateString(*copy)) {
        error = TextMissing(text);
        return false;
    }
    copy->Dirty = rawText != text.RawText();
    copy->CopyTo(text);
    SetModified(m_modified || text.Dirty);
    emit textChanged(clsPage::MakeKey(text.PageID), text.Key());
    return true;
}

bool ResEditorDocument::DeleteText(const std::shared_ptr<clsPage>& page,
                                   const std::shared_ptr<clsString>& text, QString& error) {
    if (RefuseInMemory(error))
        return false;
    if (!Server().DeleteString(*text)) {
        error = TextMissing(*text);
        return false;
    }
    page->RemoveString(*text);
    SetModified(true);
    emit textRemoved(page->Key(), text->Key());
    return true;
}

bool ResEditorDocument::AddPage(const std::shared_ptr<clsPage>& page, QString& error) {
    if (RefuseInMemory(error))
        return false;
    if (m_pages.contains(page->Key())) {
        error = QStringLiteral("This ID is already used in different page.");
        return false;
    }
    if (!Writable(page->Name, error, "The title") ||
        !Writable(page->desc, error, "The description"))
        return false;
    if (!Server().InsertPage(*page)) {
        error = QStringLiteral("The document has no root element to add the page to.");
        return false;
    }
    page->ID = ++m_pageSerial;
    page->NotLoaded = false;
    page->Dirty = !page->Name.isEmpty() || !page->desc.isEmpty();
    m_pages.add(page, page->Key());
    SetModified(true);
    emit pageAdded(page->Key());
    return true;
}

bool ResEditorDocument::UpdatePage(clsPage& page, const QString& name, const QString& desc,
                                   QString& error) {
    if (RefuseInMemory(error))
        return false;
    const auto copy = page.Clone();
    copy->Name = name;
    copy->desc = desc;
    if (!Writable(name, error, "The title") || !Writable(desc, error, "The description"))
        return false;
    if (!Server().UpdatePage(*copy)) {
        error = PageMissing(page.PageID);
        return false;
    }
    copy->Dirty = name != page.Name || desc != page.desc;
    copy->CopyTo(page);
    m_rowTitles.remove(page.Key());
    SetModified(m_modified || page.Dirty);
    emit pageChanged(page.Key());
    return true;
}

bool ResEditorDocument::DeletePage(const std::shared_ptr<clsPage>& page, QString& error) {
    if (RefuseInMemory(error))
        return false;
    if (!Server().DeletePage(*page)) {
        error = PageMissing(page->PageID);
        return false;
    }
    const QString key = page->Key();
    m_pages.remove(key);
    m_rowTitles.remove(key);
    SetModified(true);
    emit pageRemoved(key);
    return true;
}

bool ResEditorDocument::RefuseInMemory(QString& error) const {
    if (!m_memoryMode)
        return false;
    error = kReadOnly;
    return true;
}

void ResEditorDocument::ReplaceServer(std::unique_ptr<clsDescServer> server) {
    m_own = std::move(server);
    m_pages = platform::KeyedCollection<clsPage>();
    m_rowTitles.clear();
}

void ResEditorDocument::ListCachedPages() {
    m_pages = platform::KeyedCollection<clsPage>();
    m_rowTitles.clear();
    const auto& cached = Server().pages();
    m_pages.reserve(cached.count());
    for (const auto& page : cached)
        m_pages.add(page, page->Key());
    emit documentReplaced();
    emit stateChanged();
}

void ResEditorDocument::OnPageRead(int32_t id, const QString& title, const QString& desc) {
    const QString key = clsPage::MakeKey(id);
    if (const auto page = m_pages.find(key)) {
        // A later page element of the same id.
        if (title != u"-" && !title.isEmpty())
            page->Name = title;
        if (desc != u"-" && !desc.isEmpty())
            page->desc = desc;
        m_rowTitles.insert(key, title);
        return;
    }
    auto page = std::make_shared<clsPage>();
    page->ID = ++m_pageSerial;
    page->NotLoaded = true;
    page->PageID = id;
    page->desc = desc;
    page->Name = title;
    m_pages.add(std::move(page), key);
}

void ResEditorDocument::SetModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit stateChanged();
}
