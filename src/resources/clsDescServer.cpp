#include "resources/clsDescServer.h"

#include "gamefiles/mdlZorvVFS.h"
#include "platform/ZorvError.h"
#include "resources/CollectionKey.h"
#include "resources/DocumentTexts.h"
#include "resources/XmlCursorGuard.h"
#include "shell/mdlComFunctions.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace {

// The pages the cache holds: object names and descriptions, sector names,
// then the pages from 2000 to 2013.
constexpr std::array<int32_t, 16> kCachedPages = {17,   7,    2000, 2001, 2002, 2003, 2004, 2005,
                                                  2006, 2007, 2008, 2009, 2010, 2011, 2012, 2013};
// A reference list may nest this deep and expand this many references in
// all, so that no text, however its references are laid out, takes long.
constexpr size_t kMaxReferenceDepth = 64;
constexpr int kMaxReferences = 10000;

const char* const kNoLanguage = "File does not contain top level element <language>.";

QString Number(int32_t value) {
    return QString::number(value);
}

// The place of a page id in the page list; -1 when it is not cached.
int CachedPosition(std::optional<int32_t> pageId) {
    const auto found = std::find(kCachedPages.begin(), kCachedPages.end(), pageId);
    return found == kCachedPages.end() ? -1 : int(found - kCachedPages.begin());
}

// UTF-8 bytes or a string.
template <class View> bool IsReferenceText(View raw) {
    return !raw.isEmpty() && raw.front() == u'{';
}

// The place of c in text from `from` on; -1 when it is not there. The parts
// of a reference list are short: a plain loop beats a library call.
template <class View> qsizetype IndexOf(View text, char16_t c, qsizetype from) {
    for (qsizetype at = from; at < text.size(); ++at)
        if (text[at] == c)
            return at;
    return -1;
}

void AppendText(QString& out, QStringView text) {
    out += text;
}

// Plain ASCII, what nearly every text is, is widened in place in one pass.
void AppendText(QString& out, QByteArrayView utf8) {
    const qsizetype at = out.size();
    out.resize(at + utf8.size());
    char16_t* const to = reinterpret_cast<char16_t*>(out.data()) + at;
    uchar high = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto byte = uchar(utf8[i]);
        high |= byte;
        to[i] = byte;
    }
    if (high >= 0x80) {
        out.truncate(at);
        out += QString::fromUtf8(utf8);
    }
}

bool IsDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// subject: "a page", "a text in page 7" ...
QString IdText(const QString& subject, const QString& text) {
    if (text.isEmpty())
        return subject.front().toUpper() + subject.mid(1) + " has no id";
    return "The id \"" + text + "\" of " + subject + " is not a number";
}

// The texts of one page made in one allocation, with the UTF-8 bytes they
// are read from in another of exactly their size; each text handed out
// shares both, so they last while any of the texts is in use.
class TextBlock {
public:
    TextBlock(size_t count, size_t bytes) : m_block(std::make_shared<Block>(count, bytes)) {}
    // A new text of these bytes, copied in after those copied before.
    std::shared_ptr<clsString> Add(int32_t pageId, int32_t id, const char* bytes, size_t size) {
        char* const to = m_block->bytes.get() + m_bytesUsed;
        std::memcpy(to, bytes, size);
        m_bytesUsed += size;
        return {m_block, &m_block->texts.emplace_back(pageId, id, std::string_view(to, size))};
    }
    // The text Add handed out last, once more.
    std::shared_ptr<clsString> Last() const { return {m_block, &m_block->texts.back()}; }

private:
    struct Block {
        // Made in place as they are added: room for all is made at once, so
        // none moves.
        Block(size_t count, size_t size) : bytes(std::make_unique_for_overwrite<char[]>(size)) {
            texts.reserve(count);
        }
        std::vector<clsString> texts;
        std::unique_ptr<char[]> bytes;
    };
    std::shared_ptr<Block> m_block;
    size_t m_bytesUsed = 0;
};

} // namespace

struct clsDescServer::ReadPage {
    std::shared_ptr<clsPage> page;
    // A text of the page, from where its references are resolved; 0 for a
    // page without texts.
    int32_t firstText = 0;
    bool namedPage = false;
    // The page's texts that are reference lists, listed as they are read so
    // that resolving them need not look at every text again.
    std::vector<clsString*> references;
};

struct clsDescServer::ReferenceWalk {
    // The texts being resolved, outermost first.
    std::array<quint64, kMaxReferenceDepth> active;
    size_t depth = 0;
    int remaining = kMaxReferences;
    // The page that a reference to page 0 means when it is not the page
    // around the cursor.
    std::optional<int32_t> around;

    static quint64 Key(int32_t pageId, int32_t id) {
        return (quint64(uint32_t(pageId)) << 32) | uint32_t(id);
    }
    // False for a text already being resolved, or when the walk went too
    // deep or too far.
    bool Enter(quint64 key) {
        if (depth == active.size() || remaining <= 0 ||
            std::find(active.begin(), active.begin() + depth, key) != active.begin() + depth)
            return false;
        --remaining;
        active[depth++] = key;
        return true;
    }
    void Leave() { --depth; }
};

clsDescServer::clsDescServer(QObject* parent)
    : QObject(parent), m_texts(std::make_unique<DocumentTexts>(m_xml)) {}

clsDescServer::~clsDescServer() = default;

bool clsDescServer::OpenXMLFile(const QString& path) {
    if (!m_xml.OpenFile(path)) {
        SetLastError(m_xml.GetLastError());
        return false;
    }
    m_texts->DocumentReplaced();
    if (!m_xml.SelectRoot() || !m_xml.SelectNode(QStringLiteral("/language"))) {
        SetLastError(kNoLanguage);
        return false;
    }
    return true;
}

bool clsDescServer::EnumPages() {
    if (!m_xml.SelectNode(QStringLiteral("/language"))) {
        SetLastError(kNoLanguage);
        return false;
    }
    bool goodIds = true;
    const QString languageId = m_xml.GetNodeAttr(QStringLiteral("id"));
    const auto language = ParseLanguageId(languageId);
    if (!language) {
        SetLastError(IdText("the language", languageId) + ".");
        goodIds = false;
    }
    emit OnLanguageSectionEnter(language.value_or(0));
    if (!m_xml.SelectNode(QStringLiteral("//page")))
        return false;
    bool met = false;
    do {
        if (m_xml.GetNodeName() != u"page")
            continue;
        const QString idText = m_xml.GetNodeAttr(QStringLiteral("id"));
        const auto pageId = ParseLanguageId(idText);
        if (!pageId) {
            SetLastError(IdText("a page", idText) + ".");
            goodIds = false;
            continue;
        }
        met = true;
        // Handlers may move the cursor; the walk goes on from this page.
        XmlCursorGuard guard(m_xml);
        emit OnPageRead(*pageId, m_xml.GetNodeAttr(QStringLiteral("title")),
                        m_xml.GetNodeAttr(QStringLiteral("descr")));
    } while (m_xml.NextNode());
    return met && goodIds;
}

bool clsDescServer::SelectShownPage(int32_t pageId) {
    const int32_t page = m_texts->FirstPage(pageId);
    return page && m_xml.SelectBookmark(page);
}

bool clsDescServer::SelectShownText(int32_t pageId, int32_t id) {
    // The page's last element whose id reads as that number the way
    // EnumStrings reads it, so an edit never lands on an element the editor
    // does not list ("1.0" is not text 1).
    if (!SelectShownPage(pageId) || !m_xml.Down())
        return false;
    int position = -1;
    int index = 0;
    do {
        if (ParseLanguageId(m_xml.GetNodeAttr(QStringLiteral("id"))) == id)
            position = index;
        ++index;
    } while (m_xml.NextNode());
    if (position < 0 || !SelectShownPage(pageId) || !m_xml.Down())
        return false;
    for (int step = 0; step < position; ++step)
        m_xml.NextNode();
    return true;
}

bool clsDescServer::EnumStrings(int32_t PageID) {
    if (!m_xml.SelectNode(QStringLiteral("/language")) || !SelectShownPage(PageID))
        return false;
    bool goodIds = true;
    std::vector<std::shared_ptr<clsString>> texts;
    if (m_xml.Down()) {
        do {
            const QString idText = m_xml.GetNodeAttr(QStringLiteral("id"));
            const auto id = ParseLanguageId(idText);
            if (!id) {
                SetLastError(IdText("a text in page " + Number(PageID), idText) + ".");
                goodIds = false;
                continue;
            }
            auto text = std::make_shared<clsString>();
            text->ID = *id;
            text->SetRawText(m_xml.GetNodeValue());
            text->PageID = PageID;
            texts.push_back(std::move(text));
        } while (m_xml.NextNode());
    }
    // The cursor stands on the page's last text, inside the page that
    // references without a page number mean.
    for (const auto& text : texts)
        TranslateString(*text);
    for (const auto& text : texts)
        emit OnStringRead(text);
    return goodIds;
}

bool clsDescServer::LoadResources(int32_t LangID) {
    Unload();
    switch (FindResourceFiles(LangID)) {
    case Search::NothingFound:
        SetLastError("No XML/PCK resource files with LangID=" + Number(LangID) + " found.");
        CloseDocument();
        return false;
    case Search::NoNumericName:
        SetLastError("No XML/PCK resource files with LangID=" + Number(LangID) +
                     " found: no file name found is a number.");
        CloseDocument();
        return false;
    case Search::Found:
        break;
    }
    bool result = true;
    for (const QString& path : std::as_const(m_files)) {
        QString badId;
        const FileResult read = LoadFile(path, LangID, false, badId);
        if (read == FileResult::BadId) {
            SetLastError("clsDescServer->LoadResources: " + badId);
            return false;
        }
        result = read == FileResult::Loaded && result;
    }
    if (!result)
        CloseDocument();
    return result;
}

bool clsDescServer::LoadResourcesAr(int32_t LangID, const QStringList& paths) {
    m_files.clear();
    for (const QString& path : paths)
        AddFileSorted(path);
    bool result = true;
    for (const QString& path : std::as_const(m_files)) {
        if (path.isEmpty())
            continue;
        QString badId;
        const FileResult read = LoadFile(path, LangID, true, badId);
        if (read == FileResult::BadId)
            SetLastError("File " + path + "\n" + badId);
        result = read == FileResult::Loaded && result;
    }
    return result;
}

std::shared_ptr<clsPage> clsDescServer::FindPage(int32_t id) const {
    return m_pages.find(CollectionKey(id));
}

bool clsDescServer::TranslateString(clsString& str) {
    ReferenceWalk walk;
    walk.Enter(ReferenceWalk::Key(str.PageID, str.ID));
    return Translate(str, walk);
}

std::shared_ptr<clsString> clsDescServer::GetString(int32_t PageID, int32_t ID) const {
    const auto page = FindPage(PageID);
    return page ? page->FindString(ID) : nullptr;
}

QString clsDescServer::GetString2(int32_t PID, int32_t sid, const QString& DefaultVal) const {
    if (const auto text = GetString(PID, sid))
        return text->Text();
    if (!DefaultVal.isEmpty())
        return DefaultVal;
    return "[string " + Number(PID) + ":" + Number(sid) + "]";
}

void clsDescServer::Unload() {
    m_pages = platform::KeyedCollection<clsPage>();
    m_files.clear();
}

bool clsDescServer::UpdateString(clsString& str) {
    XmlCursorGuard guard(m_xml);
    // Found by the id it would write, so the id attribute stays as written.
    if (!SelectShownText(str.PageID, str.ID) || !m_xml.SetNodeValue(str.RawText()))
        return false;
    m_texts->TextWritten(str.PageID, str.ID, str.RawText());
    TranslateString(str);
    return true;
}

bool clsDescServer::InsertString(clsString& str) {
    XmlCursorGuard guard(m_xml);
    if (!SelectShownPage(str.PageID))
        return false;
    if (!m_xml.CreateNode(QStringLiteral("t"), str.RawText()) ||
        !m_xml.SetNodeAttr(QStringLiteral("id"), str.ID))
        return false;
    m_texts->TextWritten(str.PageID, str.ID, str.RawText());
    TranslateString(str);
    return true;
}

bool clsDescServer::SaveFile(const QString& path, int32_t fileType) {
    const bool saved = m_xml.SaveToFile(path, fileType);
    SetLastError(m_xml.GetLastError());
    return saved;
}

bool clsDescServer::UpdatePage(const clsPage& page) {
    XmlCursorGuard guard(m_xml);
    return SelectShownPage(page.PageID) && m_xml.SetNodeAttr(QStringLiteral("title"), page.Name) &&
           m_xml.SetNodeAttr(QStringLiteral("descr"), page.desc);
}

bool clsDescServer::InsertPage(const clsPage& page) {
    XmlCursorGuard guard(m_xml);
    if (!m_xml.SelectRoot() || !m_xml.CreateNode(QStringLiteral("page")))
        return false;
    m_texts->PageAdded(page.PageID);
    bool written = m_xml.SetNodeAttr(QStringLiteral("id"), page.PageID);
    written = m_xml.SetNodeAttr(QStringLiteral("title"), page.Name) && written;
    written = m_xml.SetNodeAttr(QStringLiteral("descr"), page.desc) && written;
    return written;
}

bool clsDescServer::DeleteString(const clsString& str) {
    XmlCursorGuard guard(m_xml);
    if (!SelectShownText(str.PageID, str.ID) || !m_xml.DeleteNode(QStringLiteral(".")))
        return false;
    m_texts->TextRemoved(str.PageID);
    return true;
}

bool clsDescServer::DeletePage(const clsPage& page) {
    XmlCursorGuard guard(m_xml);
    if (!SelectShownPage(page.PageID) || !m_xml.DeleteNode(QStringLiteral(".")))
        return false;
    m_texts->DocumentChanged();
    return true;
}

bool clsDescServer::CreateDocument(int32_t LangID) {
    bool created = m_xml.CreateDocument(QStringLiteral("language"), QString());
    if (created) {
        m_texts->DocumentReplaced();
        created = m_xml.SetNodeAttr(QStringLiteral("id"), LangID);
    }
    SetLastError(m_xml.GetLastError());
    return created;
}

clsDescServer::Search clsDescServer::FindResourceFiles(int32_t langId) {
    // The language number as "##" formats it: 0 gives no digits at all.
    const QString pattern = "t\\" + (langId == 0 ? QString() : Number(langId)) + "*";
    ZorvVFSFindData data{};
    bool anyFile = false;
    try {
        const int32_t search = mdlZorvVFS::ZorvVFS_FindFirstFile(pattern, data);
        if (search == 0)
            return Search::NothingFound;
        do {
            if (data.kind == ZORV_VFS_KIND_DIRECTORY)
                continue;
            anyFile = true;
            // The name has an extension ("440001.xml"); its number is the title.
            const QString title =
                mdlComFunctions::GetFileTitle(mdlZorvVFS::FindDataName(data), true);
            if (IsDigits(title))
                AddFileSorted(mdlZorvVFS::FindDataRealName(data));
        } while (mdlZorvVFS::ZorvVFS_FindNextFile(search, data));
        mdlZorvVFS::ZorvVFS_FindClose(search);
    } catch (const platform::ZorvError&) {
        // A file system that cannot be reached has no files.
    }
    if (!anyFile)
        return Search::NothingFound;
    return m_files.isEmpty() ? Search::NoNumericName : Search::Found;
}

void clsDescServer::AddFileSorted(const QString& path) {
    // The new path is keyed without its extension, the listed ones with it,
    // so of two files with one number the one found later goes first.
    const QString key = mdlComFunctions::GetFileTitle(path, true);
    const auto greater = std::find_if(m_files.begin(), m_files.end(), [&](const QString& listed) {
        return QString::compare(mdlComFunctions::GetFileTitle(listed), key, Qt::CaseSensitive) > 0;
    });
    m_files.insert(greater, path);
}

clsDescServer::FileResult clsDescServer::LoadFile(const QString& path, int32_t langId,
                                                  bool allPages, QString& badId) {
    if (!m_xml.OpenFile(path)) {
        SetLastError("File " + path + "\n" + m_xml.GetLastError());
        return FileResult::Failed;
    }
    m_texts->DocumentReplaced();
    if (!m_xml.SelectRoot() || m_xml.GetNodeName() != u"language") {
        SetLastError("File does not start with element <language> - " + path);
        return FileResult::Failed;
    }
    // The root is the first element in document order: when it has the id,
    // the document need not be searched.
    if (ParseLanguageId(IdAttribute(m_xml)) != langId &&
        !m_xml.SelectNode("//language[@id=" + Number(langId) + "]"))
        return FileResult::Loaded;
    // Pages read before a bad id stay, as they would page by page.
    std::vector<ReadPage> read;
    const auto readHere = [&] {
        auto page = ReadPageAt(path, badId);
        if (page)
            read.push_back(std::move(*page));
        return page.has_value();
    };
    bool goodIds = true;
    if (allPages) {
        if (m_xml.Down()) {
            do
                goodIds = readHere();
            while (goodIds && m_xml.NextNode());
        }
    } else {
        // The first page of each cached id, found in one walk, then read in
        // the order of the page list: a bad id ends the load at its place in
        // that list, whatever the order of the file.
        std::array<int32_t, kCachedPages.size()> bookmarks{};
        if (m_xml.Down()) {
            do {
                if (m_xml.GetNodeNameUtf8() != "page")
                    continue;
                const int listed = CachedPosition(ParseLanguageId(IdAttribute(m_xml)));
                if (listed >= 0 && !bookmarks[listed])
                    bookmarks[listed] = m_xml.AddBookmark();
            } while (m_xml.NextNode());
        }
        for (const int32_t bookmark : bookmarks) {
            if (!bookmark)
                continue;
            if (goodIds && m_xml.SelectBookmark(bookmark))
                goodIds = readHere();
            m_xml.RemoveBookmark(bookmark);
        }
    }
    ResolveReferences(read);
    for (const ReadPage& page : read)
        AddPage(page.page);
    return goodIds ? FileResult::Loaded : FileResult::BadId;
}

std::optional<clsDescServer::ReadPage> clsDescServer::ReadPageAt(const QString& path,
                                                                 QString& badId) {
    const QString in = " in file " + path + ".";
    const QString pageIdText = m_xml.GetNodeAttr(QStringLiteral("id"));
    const auto pageId = ParseLanguageId(pageIdText);
    if (!pageId) {
        badId = IdText("a page", pageIdText) + in;
        return std::nullopt;
    }
    ReadPage entry;
    entry.page = std::make_shared<clsPage>();
    clsPage& page = *entry.page;
    page.PageID = *pageId;
    page.Name = m_xml.GetNodeAttr(QStringLiteral("title"));
    page.desc = m_xml.GetNodeAttr(QStringLiteral("descr"));
    entry.namedPage = m_xml.GetNodeName() == u"page";
    if (m_xml.Down()) {
        entry.firstText = m_xml.AddBookmark();
        m_xml.up();
        // One walk over the elements; the texts are made once their number
        // and size are known, in one block, and their bytes copied once.
        m_readTexts.clear();
        m_joinedBytes.clear();
        size_t size = 0;
        const char* badText = nullptr;
        const bool good = m_xml.ForEachChildElement([&](const clsXMLParser::ChildElement& child) {
            const char* const idText = child.AttrText("id");
            int32_t id = 0;
            if (!ParseLanguageId(idText, id)) {
                badText = idText;
                return false;
            }
            // Filled in place: a copy of a struct just written field by
            // field would wait for those writes.
            ReadText& read = m_readTexts.emplace_back();
            read.id = id;
            read.single = child.SingleValueText();
            if (read.single) {
                read.size = std::strlen(read.single);
            } else {
                read.offset = m_joinedBytes.size();
                child.AppendValueUtf8(m_joinedBytes);
                read.size = m_joinedBytes.size() - read.offset;
            }
            size += read.size;
            return true;
        });
        if (!good) {
            m_xml.RemoveBookmark(entry.firstText);
            badId = IdText("a text in page " + Number(*pageId), QString::fromUtf8(badText)) + in;
            return std::nullopt;
        }
        page.Strings.reserve(int(m_readTexts.size()));
        TextBlock block(m_readTexts.size(), size);
        for (const ReadText& read : m_readTexts) {
            auto text = block.Add(*pageId, read.id,
                                  read.single ? read.single : m_joinedBytes.data() + read.offset,
                                  read.size);
            clsString* kept = text.get();
            const bool reference = IsReferenceText(QByteArrayView(text->RawUtf8()));
            // A repeated id is rare: only then does the page see the text
            // again, to copy it onto the first and log the warning.
            const CollectionKey key = text->ItemKey();
            if (!page.Strings.add(std::move(text), key)) {
                page.AddString(block.Last());
                kept = page.FindString(read.id).get();
            }
            if (reference)
                entry.references.push_back(kept);
        }
    }
    page.NotLoaded = false;
    return entry;
}

void clsDescServer::ResolveReferences(const std::vector<ReadPage>& read) {
    // All pages are read before any reference is resolved, so the texts
    // just read serve as the index of their pages.
    for (const ReadPage& entry : read)
        if (entry.namedPage)
            m_texts->Offer(entry.page);
    XmlCursorGuard guard(m_xml);
    for (const ReadPage& entry : read) {
        if (!entry.firstText)
            continue;
        m_xml.SelectBookmark(entry.firstText);
        // A text just read has no translated form yet: only reference lists
        // get one. A repeated id may have replaced a listed text by one that
        // is none; translating it then leaves it untranslated.
        for (clsString* text : entry.references)
            TranslateString(*text);
        m_xml.RemoveBookmark(entry.firstText);
    }
}

void clsDescServer::AddPage(const std::shared_ptr<clsPage>& page) {
    if (const auto cached = FindPage(page->PageID))
        cached->CompleteFrom(*page);
    else
        m_pages.add(page, page->ItemKey());
}

bool clsDescServer::Translate(clsString& str, ReferenceWalk& walk) {
    // Built where the last one was, then copied at its size: one allocation
    // for the text, none while it grows.
    m_resolved.resize(0);
    // A text just read is resolved from its bytes: only what it resolves to
    // becomes a string.
    const std::string_view utf8 = str.RawUtf8();
    const bool any = utf8.empty()
                         ? TranslateRaw(QStringView(str.RawText()), str.PageID, walk, m_resolved)
                         : TranslateRaw(QByteArrayView(utf8), str.PageID, walk, m_resolved);
    str.SetText(m_resolved.isEmpty() ? QString()
                                     : QString(m_resolved.constData(), m_resolved.size()));
    return any;
}

template <class View>
bool clsDescServer::TranslateRaw(View raw, int32_t pageId, ReferenceWalk& walk, QString& out) {
    if (!IsReferenceText(raw))
        return false;
    bool any = false;
    for (qsizetype at = 0;;) {
        const qsizetype open = IndexOf(raw, u'{', at);
        if (open < 0)
            break;
        const qsizetype close = IndexOf(raw, u'}', open + 1);
        if (close < 0)
            break;
        ResolveReference(raw.sliced(open + 1, close - open - 1), pageId, walk, out);
        out += u' ';
        any = true;
        at = close + 1;
    }
    return any;
}

template <class View>
void clsDescServer::ResolveReference(View reference, int32_t pageId, ReferenceWalk& walk,
                                     QString& out) {
    const qsizetype comma = IndexOf(reference, u',', 0);
    if (comma < 0)
        return;
    const auto page = comma == 0 ? std::optional(pageId) : ParseLanguageId(reference.first(comma));
    const auto id = ParseLanguageId(reference.sliced(comma + 1));
    if (page && id)
        AppendTarget(*page, *id, walk, out);
}

void clsDescServer::AppendTarget(int32_t pageId, int32_t id, ReferenceWalk& walk, QString& out) {
    FoundText raw;
    if (pageId != 0) {
        if (m_texts->Find(pageId, id, raw))
            AppendResolved(pageId, id, raw, pageId, pageId, walk, out);
        return;
    }
    // Page 0 stands for the page of the text being resolved: the one a
    // target was found in by its page, else the page around the cursor.
    if (walk.around) {
        if (m_texts->Find(*walk.around, id, raw))
            AppendResolved(pageId, id, raw, *walk.around, walk.around, walk, out);
        return;
    }
    XmlCursorGuard guard(m_xml);
    if (!m_xml.up())
        return;
    const int32_t cursorPage = ParseLanguageId(IdAttribute(m_xml)).value_or(0);
    if (!m_xml.SelectNode("*[@id=" + Number(id) + "][last()]"))
        return;
    raw.text = m_xml.GetNodeValue();
    AppendResolved(pageId, id, raw, cursorPage, std::nullopt, walk, out);
}

void clsDescServer::AppendResolved(int32_t pageId, int32_t id, const FoundText& raw,
                                   int32_t keyPage, std::optional<int32_t> around,
                                   ReferenceWalk& walk, QString& out) {
    if (!walk.Enter(ReferenceWalk::Key(keyPage, id)))
        return;
    const std::optional<int32_t> outer = walk.around;
    walk.around = around;
    const auto append = [&](auto text) {
        // A list resolves to its parts; one without any stands as it is.
        if (!IsReferenceText(text) || !TranslateRaw(text, pageId, walk, out))
            AppendText(out, text);
    };
    if (raw.isUtf8)
        append(QByteArrayView(raw.utf8));
    else
        append(QStringView(raw.text));
    walk.around = outer;
    walk.Leave();
}

void clsDescServer::CloseDocument() {
    m_xml.Unload();
    m_texts->DocumentReplaced();
}

namespace {

std::unique_ptr<clsDescServer>& GlobalServer() {
    static std::unique_ptr<clsDescServer> server;
    return server;
}

} // namespace

clsDescServer& DescServer() {
    auto& server = GlobalServer();
    if (!server)
        server = std::make_unique<clsDescServer>();
    return *server;
}

void ResetDescServer() {
    GlobalServer().reset();
}
