// Language files: any bytes open as a language document or are refused;
// browsing every page resolves every reference; the cache loads the file. An
// unchanged document saves to a file that reads back as the same pages and
// texts and that saves unchanged to the same bytes; a text added to a new
// page reads back from that page.
#include "FuzzSupport.h"
#include "SavedDocument.h"
#include "resources/clsDescServer.h"

#include <QObject>

#include <vector>

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
                            u' ' + text->RawText + u'\n' + text->Text());
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

void checkAddedText(clsDescServer& server, std::string_view input) {
    clsPage page;
    page.PageID = kNewPage;
    page.Name = QStringLiteral("added");
    if (!server.InsertPage(page))
        return;
    clsString text;
    text.PageID = kNewPage;
    text.ID = 1;
    text.RawText = QString::fromUtf8(input.substr(input.size() / 2, 24));
    if (!server.InsertString(text))
        return;
    // A save may refuse a text its encoding cannot hold; one it takes reads back.
    std::string written;
    if (!saveAs(server, "edited.xml", written))
        return;
    clsDescServer reread;
    open(reread, "edited-again.xml", written);
    bool found = false;
    for (const auto& read : textsOf(reread, {kNewPage}))
        found =
            found || (read->PageID == kNewPage && read->ID == 1 && read->RawText == text.RawText);
    FUZZ_PROMISE(found);
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
    const std::string saved = save(server, "saved.xml");
    clsDescServer again;
    open(again, "saved-again.xml", saved);
    const Browsed reread = browse(again);
    FUZZ_PROMISE(reread.pages == first.pages);
    FUZZ_PROMISE(reread.content() == first.content());
    FUZZ_PROMISE(save(again, "saved-twice.xml") == saved);

    checkAddedText(server, input);
    return 0;
}
