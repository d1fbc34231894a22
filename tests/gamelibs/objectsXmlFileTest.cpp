// Whole XML documents read and written plain or packed.
#include "objectsTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace objectstest;
using testing::HasSubstr;

namespace {

const std::string kDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<language id=\"44\">\n"
    "<page id=\"17\"><t id=\"1\">Caf\xc3\xa9 \xe9</t></page></language>\n";

std::string decode(const std::string& path) {
    ZorvVariant text{};
    EXPECT_TRUE(Zorv_DecodeXMLFile(path.c_str(), &text)) << objectsError();
    EXPECT_EQ(text.type, ZORV_VT_TEXT);
    std::string document(text.text ? text.text : "", static_cast<std::size_t>(text.length));
    Zorv_VariantClear(&text);
    return document;
}

TEST(XmlFiles, PlainAndPackedWriteAndReadTheSameDocument) {
    auto text = textValue(kDocument);
    const std::string plain = dataPath("0001-L044.xml");
    ASSERT_TRUE(Zorv_EncodeXMLFile(plain.c_str(), &text, 1)) << objectsError();
    EXPECT_EQ(testsupport::readFile(plain), kDocument);
    EXPECT_EQ(decode(plain), kDocument);

    const std::string packed = dataPath("0001-L044.pck");
    ASSERT_TRUE(Zorv_EncodeXMLFile(packed.c_str(), &text, 2)) << objectsError();
    EXPECT_EQ(testsupport::readFile(packed).substr(0, 2), "\x1f\x8b");
    EXPECT_EQ(std::system(("gzip -t '" + packed + "'").c_str()), 0);
    EXPECT_EQ(decode(packed), kDocument);
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
