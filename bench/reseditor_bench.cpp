// The Text Resource Editor on a generated language file of 50 pages whose
// largest page holds 10,000 texts: listing that page's texts, finding its
// last text by its text, and saving, each against the model doing the same
// work alone.
#include "platform/ScriptedPrompts.h"
#include "resources/clsDescServer.h"
#include "resources/widgets/ResEditorPresentation.h"
#include "resources/widgets/frmResEditor.h"
#include "shell/mdlZorvConst.h"
#include "support/BenchMain.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 50;
constexpr int kBigPage = 17;
constexpr int kBigTexts = 10000;
constexpr int kSmallTexts = 100;
const QString kLastText = QStringLiteral("The very last text of the big page");

struct Fixture {
    QTemporaryDir folder;
    QString path;
    QString savePath;

    Fixture() {
        path = folder.filePath("440001.xml");
        savePath = folder.filePath("440002.xml");
        std::string xml;
        const auto add = [&xml](const auto&... parts) { (xml.append(parts), ...); };
        add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"44\">\n");
        for (int page = 1; page <= kPages; ++page) {
            const int pageId = page == 25 ? kBigPage : 1000 + page;
            const int texts = pageId == kBigPage ? kBigTexts : kSmallTexts;
            const std::string pageText = std::to_string(pageId);
            add("  <page id=\"", pageText, "\" title=\"Page ", pageText,
                "\" descr=\"Generated\">\n");
            for (int id = 1; id <= texts; ++id) {
                add("    <t id=\"", std::to_string(id), "\">");
                if (pageId == kBigPage && id == texts)
                    add(kLastText.toStdString());
                else if (id % 10 == 0)
                    add("{", pageText, ",", std::to_string(id - 1), "}");
                else
                    add("Text ", pageText, "/", std::to_string(id),
                        " of the generated set\\nwith a second line");
                add("</t>\n");
            }
            add("  </page>\n");
        }
        add("</language>\n");
        std::ofstream(path.toStdString(), std::ios::binary) << xml;
    }
};

Fixture& Files() {
    static Fixture fixture;
    return fixture;
}

// The model alone: the file opened, its pages listed and the big page's
// texts read.
void ModelLoad(benchmark::State& state) {
    for (auto _ : state) {
        auto server = std::make_unique<clsDescServer>();
        auto page = std::make_shared<clsPage>();
        page->PageID = kBigPage;
        int pages = 0;
        QObject::connect(server.get(), &clsDescServer::OnPageRead, [&pages] { ++pages; });
        QObject::connect(
            server.get(), &clsDescServer::OnStringRead,
            [&page](const std::shared_ptr<clsString>& text) { page->AddString(text); });
        // The timer may not be paused or resumed after an error: the round
        // ends there.
        if (!server->OpenXMLFile(Files().path) || !server->EnumPages()) {
            state.SkipWithError("open");
            break;
        }
        server->EnumStrings(kBigPage);
        state.PauseTiming();
        if (pages != kPages || page->Strings.count() != kBigTexts) {
            state.SkipWithError("not read");
            break;
        }
        server.reset();
        page.reset();
        state.ResumeTiming();
    }
}

void ModelSave(benchmark::State& state) {
    clsDescServer server;
    if (!server.OpenXMLFile(Files().path))
        state.SkipWithError("open");
    for (auto _ : state)
        if (!server.SaveFile(Files().savePath, 1))
            state.SkipWithError("save");
}

// The same texts compared in a plain loop, as the find compares them.
void PlainFindLoop(benchmark::State& state) {
    clsDescServer server;
    server.OpenXMLFile(Files().path);
    clsPage page;
    QObject::connect(&server, &clsDescServer::OnStringRead,
                     [&page](const std::shared_ptr<clsString>& text) { page.AddString(text); });
    server.EnumStrings(kBigPage);
    std::vector<QString> texts;
    texts.reserve(page.Strings.count());
    for (const auto& text : page.Strings)
        texts.push_back(text->RawText());
    for (auto _ : state) {
        int found = -1;
        for (int row = 0; row < int(texts.size()); ++row)
            if (texts[row].contains(kLastText, Qt::CaseInsensitive)) {
                found = row;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
}

std::unique_ptr<frmResEditor> OpenWindow() {
    auto window = std::make_unique<frmResEditor>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->resize(900, 600);
    window->show();
    window->OpenFile(Files().path);
    return window;
}

int BigPageRow(frmResEditor& window) {
    return window.Document().Pages().indexOf(clsPage::MakeKey(kBigPage)) - 1;
}

// The file opened in the window and the big page selected: its texts are
// read and listed, and with paint both lists drawn.
void OpenAndList(benchmark::State& state, bool paint) {
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<frmResEditor>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->resize(900, 600);
        window->show();
        QApplication::processEvents();
        state.ResumeTiming();
        window->OpenFile(Files().path);
        window->PageView->setCurrentIndex(window->PageView->model()->index(BigPageRow(*window), 0));
        if (paint) {
            window->PageView->viewport()->repaint();
            window->TextView->viewport()->repaint();
        }
        state.PauseTiming();
        if (window->TextView->model()->rowCount() != kBigTexts) {
            state.SkipWithError("not listed");
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
}

void WindowOpenAndList(benchmark::State& state) {
    OpenAndList(state, true);
}

// The same without drawing: what is left is the window's own work.
void WindowOpenAndListUnpainted(benchmark::State& state) {
    OpenAndList(state, false);
}

void WindowFindLastText(benchmark::State& state) {
    auto window = OpenWindow();
    window->PageView->setCurrentIndex(window->PageView->model()->index(BigPageRow(*window), 0));
    window->ShowFind(false);
    for (auto _ : state) {
        state.PauseTiming();
        window->TextView->clearSelection();
        QString data = kLastText;
        QVariant tag;
        bool found = false;
        state.ResumeTiming();
        window->m_find_OnFindNext(false, false, data, tag, found);
        if (!found || tag.toInt() != kBigTexts - 1)
            state.SkipWithError("not found");
    }
}

void WindowSave(benchmark::State& state) {
    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts scoped(prompts);
    auto window = OpenWindow();
    for (auto _ : state) {
        prompts.answerFile(Files().savePath, 1);
        prompts.answer(platform::PromptAnswer::Yes);
        if (!window->Save())
            state.SkipWithError("save");
    }
}

BENCHMARK(ModelLoad)->Name("floor_model_load")->Unit(benchmark::kMillisecond);
BENCHMARK(ModelSave)->Name("floor_model_save")->Unit(benchmark::kMillisecond);
BENCHMARK(PlainFindLoop)->Name("floor_plain_find_loop")->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowOpenAndList)->Name("reseditor_open_and_list")->Unit(benchmark::kMillisecond);
BENCHMARK(WindowOpenAndListUnpainted)
    ->Name("reseditor_open_and_list_unpainted")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WindowFindLastText)->Name("reseditor_find_last_text")->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowSave)->Name("reseditor_save")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    mdlZorvConst::InitArrays();
    // Five times as many rounds, each a fifth as long. The work of either
    // side is the same from round to round, but what other programs do to
    // the machine's shared cache changes every few seconds and slows the
    // window, whose code and data are larger, more than the floor. Twenty
    // rounds a side of a tenth of a second let one side's median fall in a
    // busy spell and the other's in a quiet one, which moved the ratio by a
    // tenth between runs; short rounds, shuffled, give both sides the same
    // mix.
    return RunBenchmarks(argc, argv,
                         {TimeOverFloor("reseditor_open_and_list_unpainted", "floor_model_load", 0),
                          TimeOverFloor("reseditor_save", "floor_model_save", 0),
                          TimeOverFloor("reseditor_open_and_list", "floor_model_load", 2),
                          TimeOverFloor("reseditor_find_last_text", "floor_plain_find_loop", 2)},
                         Rounds{100, 0.02});
}
