// A map document over a small map, the galaxy and constant tables, and
// scripted prompts, for the tests of the map editor's windows.
#pragma once

#include "galaxy/GalaxyDocument.h"
#include "galaxy/GalaxyTestSupport.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/ScriptedPrompts.h"
#include "resources/clsDescServer.h"
#include "shell/mdlZorvConst.h"
#include "tfiles/clsArchive.h"

#include <string>
#include <vector>

namespace galaxytest {

class GalaxyWindowTest : public testing::Test {
protected:
    GalaxyWindowTest() : m_scope(prompts) {
        mdlZorvGalaxy::InitGalaxyTables();
        mdlZorvConst::InitArrays();
        UseDataFolder();
    }

    // A fresh text server and T-file cache over the test's data folder; call
    // again after writing game files there.
    static void UseDataFolder() {
        mdlZorvVFS::ZorvVFS_InitVFS(QString::fromStdString(testsupport::dataDir().string()));
        ResetDescServer();
        CreateArchive();
    }

    void OpenMap(const std::string& xml) {
        ASSERT_TRUE(document.Open(WriteMap(xml))) << Text(document.LastError());
    }
    Ptr Sector(int position) const { return document.parser()->Sectors.at(position); }
    Ptr Loaded(int position) {
        const Ptr sector = Sector(position);
        EXPECT_TRUE(sector->Loaded || document.LoadSector(sector)) << Text(document.LastError());
        return sector;
    }
    // The texts of the messages shown so far.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& question : prompts.messages())
            texts.push_back(Text(question.text));
        return texts;
    }

    platform::ScriptedPrompts prompts;
    GalaxyDocument document;

private:
    platform::ScopedPrompts m_scope;
};

} // namespace galaxytest
