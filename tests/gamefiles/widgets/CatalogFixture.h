// A small catalog with nested folders for the file dialog tests, written into
// the test's data folder, and helpers to work the catalog dialog's controls.
#pragma once

#include "gamefiles/widgets/frmCATDialog.h"
#include "platform/ScriptedPrompts.h"
#include "platform/widgets/DialogRunner.h"
#include "support/ClickRows.h"
#include "support/TestFolders.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QToolBar>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace cattest {

// data.cat: readme.txt, lang.xml, t\0001.xml, t\0002.pck, types\TShips.txt,
// types\TLasers.txt, types\sub\deep.xml.
inline QString writeCatalog(const std::string& name = "data") {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"readme.txt", "read me"},          {"lang.xml", "<language/>"},
        {"t\\0001.xml", "<page/>"},         {"t\\0002.pck", "packed"},
        {"types\\TShips.txt", "3;0;\n"},    {"types\\TLasers.txt", "3;0;\n"},
        {"types\\sub\\deep.xml", "<deep/>"}};
    std::string index, data;
    for (const auto& [path, bytes] : entries) {
        index += path + " " + std::to_string(bytes.size()) + "\n";
        data += bytes;
    }
    const auto folder = testsupport::dataDir() / "mods";
    testsupport::writeFile(folder / (name + ".cat"), index);
    testsupport::writeFile(folder / (name + ".dat"), data);
    return QString::fromStdString((folder / (name + ".cat")).string());
}

inline QString catalogFolder() {
    return QString::fromStdString((testsupport::dataDir() / "mods").string());
}

// Scripted questions and dialogs over the fixture catalog.
class CatalogTest : public testing::Test {
protected:
    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    platform::ScriptedDialogs dialogs;
    QString catalog = writeCatalog();
};

template <class T> T* control(QWidget& dialog, const char* name) {
    return dialog.findChild<T*>(name);
}

inline QStringList texts(const QComboBox* combo) {
    QStringList all;
    for (int i = 0; i < combo->count(); ++i)
        all << combo->itemText(i);
    return all;
}

// The entries listed, folders with a trailing "\".
inline QStringList listed(QWidget& dialog) {
    const auto* view = control<QListWidget>(dialog, "FileView");
    QStringList all;
    for (int i = 0; i < view->count(); ++i) {
        const QListWidgetItem* item = view->item(i);
        all << item->text() + (item->data(Qt::UserRole).toInt() == 2 ? "\\" : "");
    }
    return all;
}

inline QListWidgetItem* item(QWidget& dialog, const QString& text) {
    const auto found =
        control<QListWidget>(dialog, "FileView")->findItems(text, Qt::MatchFixedString);
    return found.isEmpty() ? nullptr : found.front();
}

// A double click on a listed entry.
inline void open(QWidget& dialog, const QString& text) {
    auto* view = control<QListWidget>(dialog, "FileView");
    testsupport::DoubleClickRow(view, view->model()->index(view->row(item(dialog, text)), 0));
}

inline void chooseDir(QWidget& dialog, int index) {
    auto* combo = control<QComboBox>(dialog, "cmbDir");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline void typeName(QWidget& dialog, const QString& name) {
    control<QComboBox>(dialog, "cmbFileName")->setEditText(name);
}

inline void press(QWidget& dialog, const char* button) {
    control<QPushButton>(dialog, button)->click();
}

inline void trigger(QWidget& dialog, const char* toolbar) {
    control<QToolBar>(dialog, toolbar)->actions().front()->trigger();
}

} // namespace cattest
