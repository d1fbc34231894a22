#include "shell/mdlComFunctions.h"

#include "support/TestFolders.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace mdlComFunctions;

TEST(mdlComFunctionsVersion, GameLibrariesGiveTheirVersionAndFullPath) {
    const QString folder = QString::fromStdString(testsupport::programDir().string());
    for (const char* library : {"zorvfd.dll", "ZorvVFS.DLL", "libzorvobjects.so"}) {
        QString name = library;
        const QString version = GetModuleVersion(name);
        EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$").match(version).hasMatch())
            << library << ": " << version.toStdString();
        EXPECT_TRUE(name.startsWith(folder + "/lib")) << name.toStdString();
        EXPECT_EQ(GetFileVersion(name), version);
    }
}

TEST(mdlComFunctionsVersion, OtherFilesHaveNone) {
    QString name = "kernel32.dll";
    EXPECT_EQ(GetModuleVersion(name), "");
    EXPECT_EQ(name, "kernel32.dll");
    EXPECT_EQ(GetFileVersion("/etc/hostname"), "");
    EXPECT_EQ(GetFileVersion("/no/such/libzorvfd.so"), "");
}
