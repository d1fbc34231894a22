// Renders the launcher and each editor on the demo data, offscreen, into
// PNG pictures for the README: screenshots <samples folder> <output folder>.
// It works on a copy of the data with a registry of its own, answering every
// question with its default.
#include "common/mdlCommonGlobals.h"
#include "launcher/Main.h"
#include "launcher/ProgramActions.h"
#include "launcher/frmMain2.h"
#include "platform/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <cstdio>

namespace {

QWidget* topLevel(const char* className) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->inherits(className))
            return window;
    return nullptr;
}

bool save(QWidget* window, const QString& file) {
    if (!window) {
        std::fprintf(stderr, "no window for %s\n", qPrintable(file));
        return false;
    }
    QTest::qWait(100);
    return window->grab().save(file);
}

void selectRow(QWidget* window, const char* view, int row) {
    auto* list = window ? window->findChild<QTreeView*>(view) : nullptr;
    if (list && list->model() && row < list->model()->rowCount())
        list->setCurrentIndex(list->model()->index(row, 0));
}

void trigger(QWidget* window, const char* action) {
    if (auto* found = window ? window->findChild<QAction*>(action) : nullptr)
        found->trigger();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("ZORV_REGISTRY_DIR", QFile::encodeName(scratch.filePath("registry")));
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <samples folder> <output folder>\n", argv[0]);
        return 2;
    }
    const QString data = scratch.filePath("data");
    if (QProcess::execute("cp", {"-r", QString::fromLocal8Bit(argv[1]), data}) != 0)
        return 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    mdlCommon::Settings().SetZorvPath(data);
    launcher::ProgramActions actions;
    const auto window = launcher::Main(actions, {});
    if (!window)
        return 1;
    window->resize(640, 220);
    bool saved = save(window.get(), out.filePath("launcher.png"));

    actions.OpenTXTEditor(nullptr, data + "/types/TShips.txt");
    QWidget* ships = topLevel("frmTXTEditor");
    if (ships)
        ships->resize(1100, 680);
    selectRow(ships, "ObjectView", 3);
    saved &= save(ships, out.filePath("div-avuruz-ships.png"));
    if (ships)
        ships->close();

    actions.OpenTXTEditor(nullptr, data + "/types/TBullets.txt");
    QWidget* bullets = topLevel("frmTXTEditor");
    selectRow(bullets, "ObjectView", 1);
    saved &= save(bullets, out.filePath("div-avuruz-bullets.png"));
    if (bullets)
        bullets->close();

    actions.OpenResEditor(nullptr, data + "/t/440001.xml");
    QWidget* texts = topLevel("frmResEditor");
    selectRow(texts, "PageView", 0);
    selectRow(texts, "TextView", 2);
    saved &= save(texts, out.filePath("text-resource-editor.png"));
    if (texts)
        texts->close();

    actions.OpenGalaxyEditor(nullptr, data + "/maps/demo_universe.xml");
    QWidget* galaxy = topLevel("frmGalaxyEditor");
    if (auto* tree = galaxy ? galaxy->findChild<QTreeWidget*>("Tree") : nullptr) {
        QTreeWidgetItem* sector = tree->topLevelItem(5);
        if (sector) {
            tree->expandItem(sector);
            tree->setCurrentItem(sector->child(sector->childCount() > 3 ? 3 : 0));
        }
    }
    saved &= save(galaxy, out.filePath("ruvaze-rezivo.png"));
    trigger(galaxy, "map");
    saved &= save(topLevel("frmSectorMap"), out.filePath("sector-map.png"));
    trigger(galaxy, "universe");
    QWidget* universe = topLevel("frmUniverseMap");
    if (universe)
        universe->resize(620, 460);
    saved &= save(universe, out.filePath("universe-map.png"));
    return saved ? 0 : 1;
}
