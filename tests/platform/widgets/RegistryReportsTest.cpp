#include "platform/widgets/RegistryReports.h"

#include "platform/Registry.h"
#include "platform/ScriptedPrompts.h"
#include "support/TestFolders.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace platform;

// A settings file that cannot be read is reported from the event loop, after
// the registry call returned, never from inside it.
TEST(RegistryReports, AreShownFromTheEventLoopAfterTheCall) {
    setenv("ZORV_REGISTRY_DIR", testsupport::registryDir().c_str(), 1);
    Registry::takeReports();
    ScriptedPrompts prompts;
    ScopedPrompts installed(prompts);
    QObject context;
    installRegistryReports(&context);

    testsupport::writeFile(testsupport::registryDir() / "HKEY_CURRENT_USER.hive", "not a hive");
    EXPECT_FALSE(RegKey::root(Hive::HKEY_CURRENT_USER).value("x"));
    EXPECT_TRUE(prompts.asked().empty());

    QCoreApplication::processEvents();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, "Zorv Editor");
    EXPECT_EQ(prompts.messages()[0].icon, PromptIcon::Critical);
    EXPECT_TRUE(prompts.messages()[0].text.contains("cannot be read"));
    EXPECT_TRUE(Registry::takeReports().isEmpty());
    Registry::setReportListener({});
}
