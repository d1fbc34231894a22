#include "platform/Registry.h"
#include "platform/ScriptedPrompts.h"
#include "support/TestFolders.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

RegKey user() {
    return RegKey::root(Hive::HKEY_CURRENT_USER);
}

fs::path userHive() {
    return fs::path(Registry::hiveFile(Hive::HKEY_CURRENT_USER).toStdString());
}

void useRegistryFolder(const fs::path& folder) {
    setenv("ZORV_REGISTRY_DIR", folder.c_str(), 1);
}

// Runs body in a child process; true when it exited with 0.
template <class Body> bool inChildProcess(Body body) {
    const pid_t child = fork();
    if (child == 0)
        _exit(body() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

// The registry queues its reports and never asks the person itself.
class RegistryTest : public testing::Test {
protected:
    RegistryTest() { Registry::takeReports(); }
    ~RegistryTest() override {
        EXPECT_TRUE(prompts.asked().empty());
        Registry::takeReports();
    }

    ScriptedPrompts prompts;
    ScopedPrompts installed{prompts};
};

} // namespace

TEST_F(RegistryTest, NamesIgnoreCaseKeepFirstSpellingAndEnumerateInOrder) {
    const RegKey key = user().createKey("Software\\Zorv");
    EXPECT_EQ(key.path(), "Software\\Zorv");
    EXPECT_EQ(user().createKey("SOFTWARE\\zorv\\Main").path(), "Software\\Zorv\\Main");
    user().createKey("software\\ZORV\\Alpha");

    ASSERT_TRUE(key.setText("DataPath", "first"));
    ASSERT_TRUE(key.setNumber("Sort", 1));
    ASSERT_TRUE(key.setText("", "default value"));
    ASSERT_TRUE(key.setText("DATAPATH", "second"));

    EXPECT_EQ(key.valueNames(), QStringList({"DataPath", "Sort", ""}));
    EXPECT_EQ(key.subKeyNames(), QStringList({"Main", "Alpha"}));
    EXPECT_EQ(key.text("datapath"), "second");
    EXPECT_EQ(key.text(""), "default value");
    EXPECT_EQ(user().openKey("SOFTWARE\\ZORV").path(), "Software\\Zorv");
}

TEST_F(RegistryTest, ReadOfTheOtherTypeCountsAsMissing) {
    const RegKey key = user().createKey("k");
    key.setText("text", "5");
    key.setNumber("number", 5);
    EXPECT_EQ(key.number("text"), std::nullopt);
    EXPECT_EQ(key.text("number"), std::nullopt);
    EXPECT_EQ(key.text("text"), "5");
    EXPECT_EQ(key.number("number"), 5);
    EXPECT_EQ(key.value("missing"), std::nullopt);
}

TEST_F(RegistryTest, DeletedKeyStaysDeleted) {
    const RegKey inner = user().createKey("a\\b");
    ASSERT_TRUE(inner.setNumber("n", 1));
    ASSERT_TRUE(user().deleteKey("A"));
    EXPECT_FALSE(inner.exists());
    EXPECT_FALSE(inner.setNumber("n", 2));
    EXPECT_FALSE(inner.createKey("c").isValid());
    EXPECT_FALSE(user().openKey("a").isValid());
    EXPECT_FALSE(user().deleteKey("a"));
    EXPECT_TRUE(user().subKeyNames().isEmpty());

    const RegKey key = user().createKey("k");
    EXPECT_FALSE(key.deleteValue("missing"));
    EXPECT_FALSE(user().createKey("bad\x01name").isValid());
    const QString deepest = QStringList(512, "d").join('\\');
    EXPECT_TRUE(user().createKey(deepest).isValid());
    EXPECT_FALSE(user().createKey(deepest).createKey("one more").isValid());

    const RegKey failedOpen;
    EXPECT_EQ(failedOpen.text("x"), std::nullopt);
    EXPECT_FALSE(failedOpen.setText("x", "y"));
    EXPECT_TRUE(Registry::takeReports().isEmpty());
}

TEST_F(RegistryTest, AnotherProcessSeesEachWrite) {
    const RegKey key = user().createKey("shared");
    EXPECT_EQ(key.number("fromChild"), std::nullopt);
    ASSERT_TRUE(inChildProcess([] { return user().openKey("shared").setNumber("fromChild", 7); }));
    EXPECT_EQ(key.number("fromChild"), 7);

    key.setText("fromParent", "hello");
    EXPECT_TRUE(
        inChildProcess([] { return user().openKey("shared").text("fromParent") == "hello"; }));
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
    const RegKey key = user().createKey("busy");
    const auto writeMany = [](const char* prefix) {
        const RegKey busy = user().openKey("busy");
        for (int i = 0; i < 40; ++i)
            if (!busy.setNumber(QStringLiteral("%1%2").arg(prefix).arg(i), i))
                return false;
        return true;
    };
    const pid_t child = fork();
    if (child == 0)
        _exit(writeMany("child") ? 0 : 1);
    EXPECT_TRUE(writeMany("parent"));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(key.valueNames().size(), 80);
}

TEST_F(RegistryTest, SavesAreAtomicAndPrivateInAFolderMadeOnDemand) {
    const fs::path folder = testsupport::dataDir() / "new" / "registry";
    useRegistryFolder(folder);
    EXPECT_EQ(user().openKey("k").text("v"), std::nullopt) << "a missing folder reads as empty";
    ASSERT_TRUE(user().createKey("k").setText("v", "x"));
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(modeOf(userHive()), 0600u);
    EXPECT_EQ(folderEntries(folder),
              (std::vector<std::string>{"HKEY_CURRENT_USER.hive", "registry.lock"}));
    EXPECT_EQ(testsupport::readFile(userHive()), "ZORV-REGISTRY 1\n[k]\n\"v\"=sz:\"x\"\n");
}

TEST_F(RegistryTest, TextsAndNamesSurviveTheFile) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x9A\x80");
    const QStringList texts = {
        "plain",
        "",
        "quote \" and backslash \\ and \\\"",
        "line\nbreak\r\nand\ttab",
        QString("nul") + QChar(0) + "inside" + QChar(1),
        QString::fromUtf8("Z\xC3\xB6rv \xE2\x9C\x93 ") + emoji,
        QString(QChar(0xD800)) + "lone surrogate",
        QString(1 << 21, u'x'),
    };
    const RegKey key = user().createKey("odd ] key\\[x] \"y\"");
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(key.setText(QStringLiteral("name %1 = \"q\" \\").arg(i), texts[i]));
    key.setNumber("min", INT32_MIN);
    key.setNumber("max", INT32_MAX);

    // A copy of the file in another folder is read afresh.
    const fs::path copy = testsupport::dataDir() / "copy";
    fs::create_directories(copy);
    fs::copy_file(userHive(), copy / "HKEY_CURRENT_USER.hive");
    useRegistryFolder(copy);
    const RegKey reread = user().openKey("ODD ] KEY\\[X] \"Y\"");
    ASSERT_TRUE(reread.isValid());
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reread.text(QStringLiteral("name %1 = \"q\" \\").arg(i)), texts[i]) << i;
    EXPECT_EQ(reread.number("min"), INT32_MIN);
    EXPECT_EQ(reread.number("max"), INT32_MAX);
    EXPECT_TRUE(Registry::takeReports().isEmpty());
}

TEST_F(RegistryTest, ValueTooLargeForTheFileIsRefusedAndReported) {
    const RegKey key = user().createKey("k");
    ASSERT_TRUE(key.setText("kept", "x"));
    const std::string before = testsupport::readFile(userHive());
    // Three bytes each in the file: just over the 64 MiB a reader accepts.
    const QString huge(64 * 1024 * 1024 / 3 + 1, QChar(0x20AC));

    EXPECT_FALSE(key.setText("huge", huge));
    EXPECT_TRUE(Registry::lastError().contains("64 MiB"));
    ASSERT_EQ(Registry::takeReports().size(), 1);
    EXPECT_EQ(testsupport::readFile(userHive()), before);
    EXPECT_TRUE(inChildProcess([] {
        const RegKey reread = user().openKey("k");
        return reread.text("kept") == "x" && !reread.value("huge");
    })) << "another process still reads every other value";
}

TEST_F(RegistryTest, UnreadableHiveIsKeptReportedAndStartsAfresh) {
    const std::string header = "ZORV-REGISTRY 1\n";
    std::string tooDeep = "[";
    for (int level = 0; level < 100000; ++level)
        tooDeep += "k\\";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"garbage line", header + "[k]\n\"a\"=dword:00000001\nhello\n"},
        {"value before a key", header + "\"a\"=sz:\"x\"\n"},
        {"number too long", header + "[k]\n\"a\"=dword:1234567890\n"},
        {"number not hexadecimal", header + "[k]\n\"a\"=dword:0000001g\n"},
        {"unknown escape", header + "[k]\n\"a\"=sz:\"\\q\"\n"},
        {"text not closed", header + "[k]\n\"a\"=sz:\"abc\n"},
        {"value twice", header + "[k]\n\"a\"=dword:00000001\n\"A\"=dword:00000002\n"},
        {"key twice", header + "[k]\n[K]\n"},
        {"empty key name", header + "[a\\\\b]\n"},
        {"unknown type", header + "[k]\n\"a\"=binary:00\n"},
        {"not UTF-8", header + "[k]\n\"a\"=sz:\"\xFF\"\n"},
        {"no header", "[k]\n"},
        {"keys nested too deep", header + tooDeep + "k]\n"},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        fs::remove_all(testsupport::registryDir());
        fs::create_directories(testsupport::registryDir());
        testsupport::writeFile(userHive(), content);
        EXPECT_EQ(user().openKey("k").number("a"), std::nullopt);
        EXPECT_EQ(user().openKey("k").number("a"), std::nullopt);
        const QStringList reports = Registry::takeReports();
        ASSERT_EQ(reports.size(), 1) << "reported once";
        EXPECT_TRUE(reports[0].contains(QString::fromStdString(userHive().string())));
        const fs::path kept = userHive().string() + ".bad";
        EXPECT_EQ(testsupport::readFile(kept), content);

        ASSERT_TRUE(user().createKey("k").setNumber("a", 2));
        EXPECT_EQ(user().openKey("k").number("a"), 2);
        EXPECT_EQ(testsupport::readFile(kept), content) << "the kept copy is not overwritten";
    }
}

TEST_F(RegistryTest, TheListenerHearsOfReportsWithNoLockHeld) {
    // Another instance must be able to save while the reports are shown.
    std::vector<bool> lockFree;
    Registry::setReportListener([&] {
        const std::string lockFile = (testsupport::registryDir() / "registry.lock").string();
        const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
        lockFree.push_back(fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0);
        close(fd);
    });
    testsupport::writeFile(userHive(), "not a hive");
    user().value("x");
    user().value("x");
    testsupport::writeFile(userHive(), "not a hive either");
    user().createKey("k");
    Registry::setReportListener({});
    EXPECT_EQ(lockFree, (std::vector<bool>{true, true}));
    EXPECT_EQ(Registry::takeReports().size(), 2);
}

TEST_F(RegistryTest, SecondBadFileIsKeptBesideTheFirst) {
    testsupport::writeFile(userHive(), "first bad");
    user().value("x");
    testsupport::writeFile(userHive(), "second bad");
    user().value("x");
    EXPECT_EQ(testsupport::readFile(userHive().string() + ".bad"), "first bad");
    EXPECT_EQ(testsupport::readFile(userHive().string() + ".bad2"), "second bad");
    EXPECT_EQ(Registry::takeReports().size(), 2);
}

TEST_F(RegistryTest, UnwritableFolderReadsNothingAndReportsTheFailedSaveOnce) {
    testsupport::writeFile(testsupport::dataDir() / "plain-file", "not a folder");
    useRegistryFolder(testsupport::dataDir() / "plain-file" / "registry");

    EXPECT_FALSE(user().openKey("k").isValid());
    EXPECT_EQ(user().openKey("k").text("v"), std::nullopt);
    EXPECT_FALSE(user().createKey("k").isValid());
    EXPECT_FALSE(user().setText("v", "x"));
    EXPECT_TRUE(Registry::lastError().contains("HKEY_CURRENT_USER.hive"));
    const QStringList reports = Registry::takeReports();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("The settings could not be saved to"));
}

TEST(RegistryFolder, ComesFromTheEnvironment) {
    const struct {
        const char* own;
        const char* config;
        QString expected;
    } cases[] = {
        {"/own", "/config", "/own"},
        {"", "/config", "/config/zorv-editor"},
        {"", "relative", QDir::homePath() + "/.config/zorv-editor"},
        {"", "", QDir::homePath() + "/.config/zorv-editor"},
    };
    const std::string saved = getenv("ZORV_REGISTRY_DIR");
    for (const auto& c : cases) {
        setenv("ZORV_REGISTRY_DIR", c.own, 1);
        setenv("XDG_CONFIG_HOME", c.config, 1);
        EXPECT_EQ(Registry::folder(), c.expected);
    }
    unsetenv("XDG_CONFIG_HOME");
    setenv("ZORV_REGISTRY_DIR", saved.c_str(), 1);
    EXPECT_EQ(Registry::hiveFile(Hive::HKEY_LOCAL_MACHINE),
              QString::fromStdString(saved) + "/HKEY_LOCAL_MACHINE.hive");
}
