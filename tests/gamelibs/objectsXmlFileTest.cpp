// Whole XML documents read and written plain or packed.
#include "fdTestSupport.h"
#include "objectsTestSupport.h"
#include "zorvcore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace objectstest;
using testing::HasSubstr;

namespace {

const std::string kDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<language id=\"44\">\n"
    "<page id=\"17\"><t id=\"1\">Caf\xc3\xa9 \xe9</t></page></language>\n";

struct Decoded {
    bool read = false;
    std::string document;
    std::string error;
};

Decoded decodeVariant(const std::string& path) {
    ZorvVariant text{};
    Decoded decoded;
    decoded.read = Zorv_DecodeXMLFile(path.c_str(), &text) != 0;
    decoded.error = objectsError();
    if (decoded.read) {
        EXPECT_EQ(text.type, ZORV_VT_TEXT) << path;
        EXPECT_EQ(text.text[text.length], '\0') << path;
        decoded.document.assign(text.text, static_cast<std::size_t>(text.length));
    }
    Zorv_VariantClear(&text);
    return decoded;
}

TEST(XmlFiles, PlainAndPackedWriteAndReadTheSameDocument) {
    auto text = textValue(kDocument);
    const std::string plain = dataPath("0001-L044.xml");
    ASSERT_TRUE(Zorv_EncodeXMLFile(plain.c_str(), &text, 1)) << objectsError();
    EXPECT_EQ(testsupport::readFile(plain), kDocument);
    EXPECT_EQ(decodeVariant(plain).document, kDocument);

    const std::string packed = dataPath("0001-L044.pck");
    ASSERT_TRUE(Zorv_EncodeXMLFile(packed.c_str(), &text, 2)) << objectsError();
    EXPECT_EQ(testsupport::readFile(packed).substr(0, 2), "\x1f\x8b");
    EXPECT_EQ(std::system(("gzip -t '" + packed + "'").c_str()), 0);
    EXPECT_EQ(decodeVariant(packed).document, kDocument);
}

TEST(XmlFiles, FailuresNameThePathAndWriteNothing) {
    const std::string missing = dataPath("missing.xml");
    ZorvVariant out{};
    EXPECT_EQ(Zorv_DecodeXMLFile(missing.c_str(), &out), 0);
    EXPECT_THAT(objectsError(), HasSubstr(missing));
    EXPECT_EQ(out.type, ZORV_VT_EMPTY);

    const std::string target = dataPath("new.xml");
    auto text = textValue(kDocument);
    EXPECT_EQ(Zorv_EncodeXMLFile(target.c_str(), &text, 3), 0);
    EXPECT_THAT(objectsError(), HasSubstr(target));
    auto number = intValue(5);
    EXPECT_EQ(Zorv_EncodeXMLFile(target.c_str(), &number, 1), 0);
    EXPECT_NE(Zorv_GetLastError(), 0);
    EXPECT_FALSE(std::filesystem::exists(target));

    const std::string noFolder = dataPath("no/such/folder/x.xml");
    EXPECT_EQ(Zorv_EncodeXMLFile(noFolder.c_str(), &text, 1), 0);
    EXPECT_THAT(objectsError(), HasSubstr(noFolder));
}

// The memory a read asks for: every block it was given is kept, so a block
// given before the last must still be readable.
struct Rooms {
    std::vector<std::unique_ptr<char[]>> blocks;
    std::vector<std::size_t> sizes;
    std::function<void()> onFirst; // runs after the size was taken, before the read

    char* give(std::size_t size) {
        if (sizes.empty() && onFirst)
            onFirst();
        sizes.push_back(size);
        blocks.push_back(std::make_unique<char[]>(size));
        return blocks.back().get();
    }
};

Decoded readInto(const std::string& path, Rooms& rooms) {
    std::string_view content;
    Decoded decoded;
    decoded.read = zorvcore::readFile(
        path, [&rooms](std::size_t size) { return rooms.give(size); }, content, decoded.error);
    decoded.document = std::string(content);
    return decoded;
}

// Read into memory given by the caller or into a variant, every source gives
// the same document or the same failure; a plain file needs one block of its
// size, a packed one a second block for its plain bytes.
TEST(XmlFiles, ReadIntoGivenMemoryOrAVariantEverySourceGivesTheSame) {
    const std::string packed = fdtest::gzip(kDocument);
    testsupport::writeFile(dataPath("plain.xml"), kDocument);
    testsupport::writeFile(dataPath("packed.pck"), packed);
    testsupport::writeFile(dataPath("empty.xml"), "");
    testsupport::writeFile(dataPath("broken.pck"), packed.substr(0, packed.size() / 2));
    const std::string catalog = fdtest::makeCatalog(
        fdtest::data("docs.cat"), {{"plain.xml", kDocument}, {"packed.pck", packed}});
    struct Case {
        std::string path;
        bool read;
        std::vector<std::size_t> rooms; // the sizes asked for
    };
    const Case cases[] = {
        {dataPath("plain.xml"), true, {kDocument.size()}},
        {dataPath("packed.pck"), true, {packed.size(), kDocument.size()}},
        {dataPath("empty.xml"), true, {0}},
        {catalog + "::plain.xml", true, {kDocument.size()}},
        {catalog + "::packed.pck", true, {packed.size(), kDocument.size()}},
        {dataPath("broken.pck"), false, {packed.size() / 2}},
        {dataPath("missing.xml"), false, {}},
        {catalog + "::missing.xml", false, {}},
    };
    for (const Case& c : cases) {
        Rooms rooms;
        const Decoded into = readInto(c.path, rooms);
        const Decoded variant = decodeVariant(c.path);
        EXPECT_EQ(into.read, c.read) << c.path << ": " << into.error;
        EXPECT_EQ(variant.read, c.read) << c.path << ": " << variant.error;
        if (c.read) {
            const std::string expected = c.path.ends_with("empty.xml") ? "" : kDocument;
            EXPECT_EQ(into.document, expected) << c.path;
            EXPECT_EQ(variant.document, expected) << c.path;
        } else {
            EXPECT_THAT(into.error, HasSubstr(c.path.substr(c.path.find_last_of("/:") + 1)));
            EXPECT_THAT(variant.error, HasSubstr(into.error));
        }
        EXPECT_EQ(rooms.sizes, c.rooms) << c.path;
    }
}

// The file is cut or grown once its size was taken: what is read is what it
// holds then, never more than that size.
TEST(XmlFiles, AFileThatChangesSizeWhileItIsReadGivesWhatItHoldsUpToItsFirstSize) {
    const std::string path = dataPath("changing.xml");
    struct Case {
        const char* change;
        std::size_t newSize;
        std::string expected;
    };
    const Case cases[] = {
        {"cut", 10, kDocument.substr(0, 10)},
        {"grown", kDocument.size() + 100, kDocument},
        {"emptied", 0, ""},
    };
    for (const Case& c : cases) {
        testsupport::writeFile(path, kDocument);
        Rooms rooms;
        rooms.onFirst = [&] {
            if (c.newSize > kDocument.size())
                testsupport::writeFile(path, kDocument + std::string(100, 'x'));
            else
                std::filesystem::resize_file(path, c.newSize);
        };
        const Decoded decoded = readInto(path, rooms);
        EXPECT_TRUE(decoded.read) << c.change << ": " << decoded.error;
        EXPECT_EQ(decoded.document, c.expected) << c.change;
    }
}

} // namespace

namespace {

// Resident and virtual size of this process in bytes.
std::size_t VirtualSize() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

} // namespace

// An exception inside a library (here: no memory for a large document)
// never crosses the C entry point: the call fails with the error's text.
TEST(XmlFiles, NoExceptionLeavesAnEntryPoint) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    const std::string path = dataPath("large.xml");
    testsupport::writeFile(path, std::string(96 << 20, 'x'));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{VirtualSize() + (32 << 20), RLIM_INFINITY};
        ::setrlimit(RLIMIT_AS, &limit);
        ZorvVariant text{};
        const bool failed = Zorv_DecodeXMLFile(path.c_str(), &text) == 0;
        const bool named =
            Zorv_GetLastError() == 99 && objectsError() == "Zorv_DecodeXMLFile: out of memory.";
        ::_exit(failed && named ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
