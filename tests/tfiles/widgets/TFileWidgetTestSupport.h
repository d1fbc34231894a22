// Lines of the ware-like kinds for the window tests, and the set-up every
// one of them needs.
#pragma once

#include "tfiles/TFileTestSupport.h"

#include "platform/ScriptedPrompts.h"
#include "platform/widgets/DialogRunner.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/TFileDocument.h"
#include "tfiles/widgets/EditingPanel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tfilewidgettest {

// A line of `size` values, value i being i unless set, and the ID string last.
inline std::string Line(int size, const std::string& name,
                        const std::map<int, std::string>& set = {}) {
    std::string line;
    for (int index = 0; index < size - 1; ++index) {
        const auto value = set.find(index);
        line += (value == set.end() ? std::to_string(index) : value->second) + ";";
    }
    return line + name + ";";
}

inline std::string Laser(const std::string& name, const std::map<int, std::string>& set = {}) {
    std::map<int, std::string> values{{7, "200"}, {16, "2"}};
    for (const auto& [index, value] : set)
        values[index] = value;
    return Line(18, name, values);
}

inline std::string Bullet(const std::string& name, const std::map<int, std::string>& set = {}) {
    std::map<int, std::string> values{{10, "1500"}, {11, "2220"}, {13, "0"}, {14, "128"},
                                      {15, "255"},  {23, "77"},   {31, "1"}};
    for (const auto& [index, value] : set)
        values[index] = value;
    return Line(33, name, values);
}

// Writes the file, opens it in the document and lets the panel claim it and
// take it; kind gets the claimed kind.
inline void OpenWithPanel(TFileDocument& document, EditingPanel& panel, const std::string& title,
                          const std::vector<std::string>& lines, int32_t& kind) {
    testsupport::writeFile(testsupport::dataDir() / (title + ".txt"), tfiletest::TFile(lines));
    QString error;
    ASSERT_EQ(document.Open(tfiletest::DataPath(title + ".txt"), error),
              TFileDocument::OpenResult::Loaded)
        << error.toStdString();
    ASSERT_TRUE(panel.ZorvQueryInterfaceEx(QString::fromStdString(title), kind));
    document.SetKind(kind);
    ASSERT_TRUE(panel.Init(document));
}

// Prompts and dialogs scripted for the test's lifetime, and the tables built.
struct Scripted {
    Scripted() { mdlZorvConst::InitArrays(); }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    platform::ScriptedDialogs dialogs;

    QStringList messages() const {
        QStringList texts;
        for (const auto& question : prompts.messages())
            texts << question.text;
        return texts;
    }
};

} // namespace tfilewidgettest
