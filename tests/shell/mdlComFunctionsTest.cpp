#include "shell/mdlComFunctions.h"

#include "platform/ScriptedPrompts.h"
#include "platform/ZorvError.h"

#include <QDate>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

using namespace mdlComFunctions;
using platform::RegKey;

namespace {

struct TextCase {
    const char* routine;
    std::function<QString()> result;
    QString expected;
};

void expectAll(const std::vector<TextCase>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(c.result(), c.expected) << c.routine;
}

} // namespace

TEST(mdlComFunctions, PathParts) {
    expectAll({
        {"GetFileDir", [] { return GetFileDir("C:\\a\\b.txt"); }, "C:\\a"},
        {"GetFileDir no folder", [] { return GetFileDir("b.txt"); }, ""},
        {"GetFileDir drive root", [] { return GetFileDir("C:\\"); }, "C:"},
        {"GetFileDir slashes", [] { return GetFileDir("/home/u/b.txt"); }, "/home/u"},
        {"GetFileDir catalog", [] { return GetFileDir("x.cat::types\\TLaser.txt"); },
         "x.cat::types"},
        {"GetFileName", [] { return GetFileName("C:\\a\\b.txt"); }, "b.txt"},
        {"GetFileName no folder", [] { return GetFileName("b.txt"); }, ""},
        {"GetFileName folder", [] { return GetFileName("C:\\a\\"); }, ""},
        {"GetFileName slashes", [] { return GetFileName("/a/b.txt"); }, "b.txt"},
        {"GetFileExt", [] { return GetFileExt("archive.tar.gz"); }, "gz"},
        {"GetFileExt dot in folder", [] { return GetFileExt("C:\\x.y\\file"); }, ""},
        {"GetFileExt dot in / folder", [] { return GetFileExt("/x.y/file"); }, ""},
        {"GetFileExt keeps case", [] { return GetFileExt("a/b.TXT"); }, "TXT"},
        {"GetFileTitle without extension", [] { return GetFileTitle("C:\\a\\b.c.txt", true); },
         "b.c"},
        {"GetFileTitle no extension", [] { return GetFileTitle("readme", true); }, "readme"},
        {"GetFileTitle with extension", [] { return GetFileTitle("C:\\a\\b.c.txt"); }, "b.c.txt"},
        {"GetFileTitle slashes", [] { return GetFileTitle("/a/TShips.pck", true); }, "TShips"},
        {"GetPathDrive drive", [] { return GetPathDrive("C:\\x"); }, "C:"},
        {"GetPathDrive share", [] { return GetPathDrive("\\\\server\\share\\dir"); },
         "\\\\server\\share"},
        {"GetPathDrive share end", [] { return GetPathDrive("\\\\server\\share\\"); },
         "\\\\server\\share"},
        {"GetPathDrive server", [] { return GetPathDrive("\\\\server"); }, "\\\\server"},
        {"GetPathDrive two", [] { return GetPathDrive("\\\\"); }, "\\\\"},
        {"GetPathDrive slashes", [] { return GetPathDrive("//srv/share/x"); }, "//srv/share"},
        {"GetPathDrive absolute", [] { return GetPathDrive("/usr/x"); }, ""},
        {"BuildPath", [] { return BuildPath("types", "TLaser"); }, "types\\TLaser"},
        {"BuildPath root", [] { return BuildPath("C:\\", "x"); }, "C:\\x"},
        {"BuildPath trailing", [] { return BuildPath("a", "b\\"); }, "a\\b"},
        {"BuildPath leading stays", [] { return BuildPath("a", "\\b"); }, "a\\\\b"},
        {"BuildPath disk", [] { return BuildPath("/games/zorv", "mods", "m.cat"); },
         "/games/zorv/mods/m.cat"},
        {"BuildPath disk trailing", [] { return BuildPath("/tmp/", "Zorv Editor/"); },
         "/tmp/Zorv Editor"},
        {"BuildPath in catalog", [] { return BuildPath("/g/m.cat::types", "x"); },
         "/g/m.cat::types\\x"},
    });
}

TEST(mdlComFunctions, EnsureExtension) {
    const struct {
        QString path;
        bool changed;
        QString result;
    } cases[] = {
        {"types\\TLaser", true, "types\\TLaser.txt"},
        {"TLaser.TXT", false, "TLaser.TXT"},
        {"name.", true, "name.txt"},
        {"C:\\x.txt\\file", true, "C:\\x.txt\\file.txt"},
    };
    for (const auto& c : cases) {
        QString path = c.path;
        EXPECT_EQ(EnsureExtension(path, "txt"), c.changed) << c.path.toStdString();
        EXPECT_EQ(path, c.result);
    }
}

TEST(mdlComFunctions, Texts) {
    const struct {
        QString text, find, replacement;
        Qt::CaseSensitivity compare;
        int count;
        QString result;
    } replacements[] = {
        {"aaa", "a", "aa", Qt::CaseSensitive, 3, "aaaaaa"},
        {"%1 and %1", "%1", "<%1>", Qt::CaseSensitive, 2, "<%1> and <%1>"},
        {"aaaa", "aa", "b", Qt::CaseSensitive, 2, "bb"},
        {"Abc", "a", "x", Qt::CaseSensitive, 0, "Abc"},
        {"Abc", "a", "x", Qt::CaseInsensitive, 1, "xbc"},
        {"abab", "ab", "ab", Qt::CaseSensitive, 0, "abab"},
        {"abc", "", "x", Qt::CaseSensitive, 0, "abc"},
    };
    for (const auto& c : replacements) {
        QString text = c.text;
        EXPECT_EQ(ReplaceAll(text, c.find, c.replacement, c.compare), c.count)
            << c.text.toStdString();
        EXPECT_EQ(text, c.result);
    }

    EXPECT_EQ(TrimNull(QString("ab") + QChar(0) + "cd"), "ab");
    EXPECT_EQ(TrimNull("abc"), "abc");
    QString list;
    EXPECT_EQ(AppendWithSeparator(list, "", ", "), "");
    EXPECT_EQ(AppendWithSeparator(list, "a", ", "), "a");
    EXPECT_EQ(AppendWithSeparator(list, "", ", "), "a");
    EXPECT_EQ(AppendWithSeparator(list, "b", ", "), "a, b");

    const std::pair<int32_t, QString> plurals[] = {
        {1, "one"},  {-1, "one"},  {4, "few"},   {-3, "few"},
        {0, "many"}, {11, "many"}, {21, "many"}, {INT32_MIN, "many"},
    };
    for (const auto& [count, form] : plurals)
        EXPECT_EQ(PluralForm(count, "one", "few", "many"), form) << count;
}

TEST(mdlComFunctions, BitsAndWords) {
    EXPECT_TRUE(IsBitSet(INT32_MIN, 31));
    EXPECT_TRUE(IsBitSet(4, 2));
    EXPECT_FALSE(IsBitSet(4, 1));
    EXPECT_EQ(SetBit(0, 31), INT32_MIN);
    EXPECT_EQ(ClearBit(-1, 31), INT32_MAX);
    EXPECT_EQ(SetBit(0, 32), 0) << "no bit 32";
    const std::tuple<uint32_t, int32_t, int32_t> words[] = {
        {0xFFFF0001u, -1, 1},
        {0x80008000u, -32768, -32768},
        {0x7FFF7FFFu, 32767, 32767},
    };
    for (const auto& [value, high, low] : words) {
        EXPECT_EQ(HiWord(static_cast<int32_t>(value)), high) << std::hex << value;
        EXPECT_EQ(LoWord(static_cast<int32_t>(value)), low) << std::hex << value;
    }
    const std::pair<int32_t, bool> evens[] = {
        {-3, false}, {-4, true}, {0, true}, {7, false}, {INT32_MIN, true}};
    for (const auto& [number, even] : evens)
        EXPECT_EQ(IsEven(number), even) << number;
    EXPECT_EQ(BoolToLong(true), 1);
    EXPECT_TRUE(LongToBool(5));
    EXPECT_FALSE(LongToBool(0));
}

TEST(mdlComFunctions, IncAndDecRefuseToOverflow) {
    int32_t n = 5;
    EXPECT_EQ(Inc(n, 3), 8);
    EXPECT_EQ(n, 8);
    Dec(n);
    EXPECT_EQ(n, 7);
    n = INT32_MAX;
    try {
        Inc(n);
        FAIL() << "no overflow";
    } catch (const platform::ZorvError& error) {
        EXPECT_EQ(error.number(), 6);
    }
    EXPECT_EQ(n, INT32_MAX);
    n = INT32_MIN;
    EXPECT_THROW(Dec(n), platform::ZorvError);
    EXPECT_EQ(n, INT32_MIN);
}

TEST(mdlComFunctions, ColoursAndHexadecimalText) {
    for (const int32_t color : {0x00123456, static_cast<int32_t>(0xFF123456u)}) {
        EXPECT_EQ(GetColorByte0(color), 0x56);
        EXPECT_EQ(GetColorByte1(color), 0x34);
        EXPECT_EQ(GetColorByte2(color), 0x12);
    }
    EXPECT_EQ(RGBToBGR(0x11223344), 0x443322);
    EXPECT_EQ(BGRToRGB(RGBToBGR(0x123456)), 0x123456);

    const std::tuple<int32_t, int32_t, QString> hexes[] = {
        {5, 0, "05"},           {255, 0, "FF"},     {0, 0, "0"},         {4096, 6, "001000"},
        {1048576, 2, "100000"}, {0x123, 0, "0123"}, {-1, 0, "FFFFFFFF"},
    };
    for (const auto& [value, width, text] : hexes)
        EXPECT_EQ(ColorToHex(value, width), text) << value << " " << width;

    const std::pair<QString, int32_t> numbers[] = {
        {"1F", 31},
        {"1f", 31},
        {"1fz9", 31},
        {"0x1F", 0},
        {"", 0},
        {"-1F", 0},
        {"+1F", 0},
        {" 1F", 0},
        {"FFFFFFFF", -1},
        {"7fffffff", INT32_MAX},
        {"100000000", 0},
        {"00000000001F", 31},
        {QString::fromUtf8("\xEF\xBC\x91"), 0}, // a full-width 1
        {QString::fromUtf8("1F\xD9\xA3"), 31},  // an Arabic-Indic 3 ends the digits
    };
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(HexToLong(text), number) << text.toStdString();

    const std::pair<QString, bool> validations[] = {
        {"", true},
        {"09afAF", true},
        {"-1", false},
        {"0x1", false},
        {"g", false},
        {" 1", false},
        {QString::fromUtf8("\xEF\xBC\x91"), false},
    };
    for (const auto& [text, valid] : validations)
        EXPECT_EQ(IsHexText(text), valid) << text.toStdString();
}

TEST(mdlComFunctions, LookUpsGiveNothingInsteadOfFailing) {
    platform::KeyedCollection<int> collection;
    EXPECT_TRUE(AddToCollection(collection, std::make_shared<int>(1), "12k"));
    EXPECT_FALSE(AddToCollection(collection, std::make_shared<int>(2), "12K"));
    EXPECT_TRUE(AddToCollectionByNumber(collection, 3, "13k"));
    EXPECT_EQ(*GetCollectionItem(collection, "13K"), 3);
    EXPECT_EQ(GetCollectionItem(collection, "14k"), nullptr);
    EXPECT_FALSE(RemoveFromCollection(collection, "14k"));
    EXPECT_FALSE(RemoveFromCollection(collection, 3));
    EXPECT_TRUE(RemoveFromCollection(collection, 1));
    EXPECT_EQ(collection.keyAt(1), "13k");

    int32_t lower = 0, upper = 0;
    EXPECT_EQ(ArrayCount(platform::BoundedArray<int>(0, {1, 2, 3, 4, 5}), &lower, &upper), 5);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(0, 4));
    EXPECT_EQ(ArrayCount(platform::BoundedArray<QString>(1, {"a", "b"}), &lower, &upper), 2);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(1, 2));
    EXPECT_EQ(ArrayCount(platform::BoundedArray<int>(), &lower, &upper), 0);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(-1, -1));
    EXPECT_EQ(ArrayCount(QVariant(QStringList{"a", "b"}), &lower, &upper), 2);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(0, 1));
    EXPECT_EQ(ArrayCount(QVariant(5), &lower, &upper), 0);
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(-1, -1));

    EXPECT_TRUE(PointInRect(0, 0, 10, 10, 10, 0));
    EXPECT_FALSE(PointInRect(0, 0, 10, 10, 11, 0));
    EXPECT_FALSE(PointInRect(0, 0, 10, 10, 0, -1));
}

TEST(mdlComFunctions, RegistryValues) {
    const RegKey key = RegKey::root(platform::Hive::HKEY_CURRENT_USER).createKey("k");
    const std::tuple<const char*, QVariant, std::optional<platform::RegValue>> writes[] = {
        {"true", true, platform::RegValue{platform::REG_DWORD, {}, -1}},
        {"number", 42, platform::RegValue{platform::REG_DWORD, {}, 42}},
        {"half rounds to even", 2.5, platform::RegValue{platform::REG_DWORD, {}, 2}},
        {"unsigned", QVariant(0xFFFFFFFFu), platform::RegValue{platform::REG_DWORD, {}, -1}},
        {"empty", QVariant(), platform::RegValue{platform::REG_DWORD, {}, 0}},
        {"text", QString("C:\\Zorv"), platform::RegValue{platform::REG_SZ, "C:\\Zorv", 0}},
        {"empty text", QString(), platform::RegValue{platform::REG_SZ, "", 0}},
        {"Latin-1 bytes", QByteArray("caf\xE9"),
         platform::RegValue{platform::REG_SZ, QString::fromLatin1("caf\xE9"), 0}},
        {"too large", QVariant(qlonglong(1) << 40), std::nullopt},
        {"not a number", QVariant(QDate(2020, 1, 1)), std::nullopt},
    };
    for (const auto& [name, value, stored] : writes) {
        EXPECT_EQ(RegSetValue(key, name, value), stored.has_value()) << name;
        EXPECT_EQ(key.value(name), stored) << name;
    }

    key.setText("with nul", QString("ab") + QChar(0) + "cd");
    QVariant value = "unchanged";
    EXPECT_FALSE(RegQueryValue(key, "missing", platform::REG_SZ, value));
    EXPECT_EQ(value, "unchanged");
    EXPECT_FALSE(RegQueryValue(key, "missing", platform::REG_SZ, value, "default"));
    EXPECT_EQ(value, "default");
    EXPECT_TRUE(RegQueryValue(key, "with nul", platform::REG_SZ, value));
    EXPECT_EQ(value, "ab");
    EXPECT_FALSE(RegQueryValue(key, "missing", platform::REG_DWORD, value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(RegQueryValue(key, "text", platform::REG_DWORD, value, 7)) << "the other type";
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(RegQueryValue(RegKey(), "number", platform::REG_DWORD, value, 9));
    EXPECT_EQ(value, 9);
}

TEST(mdlComFunctions, FoldersFilesAndVersions) {
    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed(prompts);
    prompts.answerFolder("/games/zorv");
    EXPECT_EQ(BrowseForFolder(nullptr, "Select directory containing game data files."),
              "/games/zorv");
    EXPECT_EQ(BrowseForFolder(nullptr, "again"), "");
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[0].title, "Select directory containing game data files.");

    QMimeData files, web, text;
    files.setUrls({QUrl("https://example.org/"), QUrl::fromLocalFile("/tmp/TShips.txt")});
    web.setUrls({QUrl("https://example.org/")});
    text.setText("/tmp/TShips.txt");
    EXPECT_TRUE(HasDroppedFiles(&files));
    EXPECT_FALSE(HasDroppedFiles(&web));
    EXPECT_FALSE(HasDroppedFiles(&text));
    EXPECT_FALSE(HasDroppedFiles(nullptr));

    EXPECT_TRUE(GetTempDir().endsWith('/'));
    EXPECT_EQ(FileVersionText(0x8000FFFFu, 0x00010002u), "32768.65535.1.2");
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(GetAppVersion()).hasMatch());
}
