#include "gamefiles/GameLibrary.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvObjects.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/ZorvError.h"
#include "support/TestFolders.h"

#include "zorvfd.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(GameLibrary, MissingLibraryIsAnErrorNamingLibraryAndFunction) {
    const std::string emptyFolder = testsupport::dataDir().string();
    gamefiles::GameLibrary library("libzorvfd.so", emptyFolder.c_str());
    gamefiles::LibraryFunction<decltype(::ZorvFD_GetLastError)> getLastError{library,
                                                                             "ZorvFD_GetLastError"};
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            getLastError();
            FAIL() << "no error for a missing library";
        } catch (const platform::ZorvError& error) {
            EXPECT_EQ(error.number(), gamefiles::kLibraryLoadError);
            EXPECT_TRUE(error.description().contains("libzorvfd.so"));
            EXPECT_TRUE(error.description().contains("ZorvFD_GetLastError"));
        }
    }
}

TEST(GameLibrary, MissingFunctionIsAnErrorNamingIt) {
    gamefiles::GameLibrary library("libzorvfd.so");
    try {
        library.Symbol("ZorvFD_NoSuchFunction");
        FAIL() << "no error for a missing function";
    } catch (const platform::ZorvError& error) {
        EXPECT_EQ(error.number(), gamefiles::kFunctionBindError);
        EXPECT_TRUE(error.description().contains("ZorvFD_NoSuchFunction"));
        EXPECT_TRUE(error.description().contains("libzorvfd.so"));
    }
    EXPECT_NE(library.Symbol("ZorvFD_GetLastError"), nullptr);
}

TEST(GameLibrary, BindingsLoadTheThreeLibrariesFromTheProgramFolder) {
    const QRegularExpression fourParts(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"));
    EXPECT_TRUE(fourParts.match(mdlZorvFD::ZorvFD_Version()).hasMatch());
    EXPECT_TRUE(fourParts.match(mdlZorvVFS::ZorvVFS_Version()).hasMatch());
    EXPECT_TRUE(fourParts.match(mdlZorvObjects::Zorv_Version()).hasMatch());
}

TEST(GameLibrary, ZeroHandlesAreIgnoredByTheClosingCalls) {
    mdlZorvFD::ZorvFD_CloseCatalog(0);
    mdlZorvVFS::ZorvVFS_FindClose(0);
    EXPECT_EQ(mdlZorvVFS::ZorvVFS_CatFindInit(0), 0);
}

} // namespace
