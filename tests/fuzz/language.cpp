// Language files: any bytes open as a language document or are refused;
// browsing every page resolves every reference; the cache loads the file. An
// unchanged document saves byte-identical to the file's text, reads back as
// the same pages and texts and saves unchanged to the same bytes. A text
// changed in place changes only the bytes of its element, and save, load,
// save is a fixed point; a text added to a new page reads back from that
// page. Both texts hold markup characters, CR LF, non-ASCII characters and
// bytes of the input; a save that refuses one gives a reason.
#include "FuzzSupport.h"
#include "SavedDocument.h"
#include "resources/clsDescServer.h"

#include <QObject>

#include <algorithm>
#include <vector>

using fuzzsupport::decodedScratch;
using fuzzsupport::save;
using fuzzsupport::saveAs;

namespace {

constexpr int32_t kNewPage = 2147483000;

struct Browsed {
    std::vector<int32_t> pages;
    std::vector<std::shared_ptr<clsString>> texts;

    // Each text as stored and as resolved, in reading order.
    std::vector<QString> content() const {
        std::vector<QString> lines;
        for (const auto& text : texts)
            lines.push_back(QString::number(text->PageID) + u' ' + QString::number(text->ID) +
                            u' ' + text->RawText() + u'\n' + text->Text());
        return lines;
    }
};

// The texts of the pages, references resolved, in reading order.
std::vector<std::shared_ptr<clsString>> textsOf(clsDescServer& server,
                                                const std::vector<int32_t>& pages) {
    std::vector<std::shared_ptr<clsString>> texts;
    const auto onText =
        QObject::connect(&server, &clsDescServer::OnStringRead,
                         [&](const std::shared_ptr<clsString>& text) { texts.push_back(text); });
    for (const int32_t page : pages)
        server.EnumStrings(page);
    QObject::disconnect(onText);
    return texts;
}

// Every page the document lists and every text of those pages.
Browsed browse(clsDescServer& server) {
    Browsed seen;
    const auto onPage = QObject::connect(
        &server, &clsDescServer::OnPageRead,
        [&](int32_t id, const QString&, const QString&) { seen.pages.push_back(id); });
    server.EnumPages();
    QObject::disconnect(onPage);
    seen.texts = textsOf(server, seen.pages);
    return seen;
}

std::string open(clsDescServer& server, const std::string& name, std::string_view bytes) {
    const std::string path = fuzzsupport::writeScratch(name, bytes);
    FUZZ_PROMISE(server.OpenXMLFile(QString::fromStdString(path)));
    return path;
}

// What an edit writes: markup, line ends, characters beyond ASCII and a
// piece of the input.
QString editedText(std::string_view input) {
    return QStringLiteral("<&>\"' ]]> \r\n\r \u00e9\u20ac\U0001F600 ") +
           QString::fromUtf8(input.substr(input.size() / 2, 24));
}

// True when the document holds a text of that page and id with that raw text.
bool holdsText(clsDescServer& server, int32_t page, int32_t id, const QString& raw) {
    bool found = false;
    for (const auto& read : textsOf(server, {page}))
        found = found || (read->PageID == page && read->ID == id && read->RawText() == raw);
    return found;
}

// The first text changed in place: only its element's bytes change, it
// reads back, and the edited file saves unchanged to the same bytes.
void checkChangedText(const Browsed& seen, const std::string& path, std::string_view text) {
    const std::vector<XmlElementSpan> elements = ScanXmlElements(text);
    // A text whose page and id no other text shares, so that the edit's
    // look-up finds it.
    const auto sameKey = [](const auto& a, const auto& b) {
        return a->PageID == b->PageID && a->ID == b->ID;
    };
    const auto first = std::find_if(seen.texts.begin(), seen.texts.end(), [&](const auto& read) {
        return std::count_if(seen.texts.begin(), seen.texts.end(),
                             [&](const auto& other) { return sameKey(read, other); }) == 1;
    });
    if (first == seen.texts.end())
        return;
    clsDescServer server;
    FUZZ_PROMISE(server.OpenXMLFile(QString::fromStdString(path)));
    clsString edited = **first;
    edited.SetRawText(editedText(text));
    if (!server.UpdateString(edited))
        return;
    std::string written;
    if (!saveAs(server, "changed.xml", written)) {
        FUZZ_PROMISE(!server.GetLastError().isEmpty());
        return;
    }
    bool changed = false;
    const XmlElementSpan* element = fuzzsupport::changedElement(text, written, elements, changed);
    // The text's element stands in a page, whatever its name.
    FUZZ_PROMISE(!changed || (element && element->depth >= 2));
    clsDescServer reread;
    open(reread, "changed-again.xml", written);
    FUZZ_PROMISE(holdsText(reread, edited.PageID, edited.ID, edited.RawText()));
    FUZZ_PROMISE(save(reread, "changed-twice.xml") == written);
}

void checkAddedText(clsDescServer& server, std::string_view input) {
    clsPage page;
    page.PageID = kNewPage;
    page.Name = QStringLiteral("added");
    if (!server.InsertPage(page))
        return;
    clsString text;
    text.PageID = kNewPage;
    text.ID = 1;
    text.SetRawText(editedText(input));
    if (!server.InsertString(text))
        return;
    // A save may refuse a name its encoding cannot hold; a text it takes
    // reads back.
    std::string written;
    if (!saveAs(server, "edited.xml", written)) {
        FUZZ_PROMISE(!server.GetLastError().isEmpty());
        return;
    }
    clsDescServer reread;
    open(reread, "edited-again.xml", written);
    FUZZ_PROMISE(holdsText(reread, kNewPage, 1, text.RawText()));
    FUZZ_PROMISE(save(reread, "edited-twice.xml") == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzzsupport::bytesOf(data, size);
    const std::string path = fuzzsupport::writeScratch("440001.xml", input);
    {
        clsDescServer cache;
        cache.LoadResourcesAr(44, {QString::fromStdString(path)});
        for (const auto& page : cache.pages())
            for (const auto& text : page->Strings)
                cache.GetString2(page->PageID, text->ID);
    }
    clsDescServer server;
    if (!server.OpenXMLFile(QString::fromStdString(path))) {
        FUZZ_PROMISE(!server.GetLastError().isEmpty());
        return 0;
    }
    const Browsed first = browse(server);
    const std::string text = decodedScratch("440001.xml");
    const std::string saved = save(server, "saved.xml");
    FUZZ_PROMISE(saved == text);
    clsDescServer again;
    open(again, "saved-again.xml", saved);
    const Browsed reread = browse(again);
    FUZZ_PROMISE(reread.pages == first.pages);
    FUZZ_PROMISE(reread.content() == first.content());
    FUZZ_PROMISE(save(again, "saved-twice.xml") == saved);

    checkChangedText(first, path, text);
    checkAddedText(server, input);
    return 0;
}
