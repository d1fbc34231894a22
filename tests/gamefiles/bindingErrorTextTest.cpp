#include "gamefiles/GameLibrary.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvVFS.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A library's error pair: the message it holds and the length it reports.
struct FakeErrorLibrary {
    std::string message;
    int32_t reportedLength;
    int calls = 0;

    int32_t code() const { return 7; }

    int32_t translate(int32_t code, char* buffer, int32_t size, int32_t* needed) {
        ++calls;
        EXPECT_EQ(code, 7);
        *needed = reportedLength;
        if (buffer) {
            EXPECT_EQ(size, reportedLength);
            const auto n = std::min<std::size_t>(message.size(), static_cast<std::size_t>(size));
            std::memcpy(buffer, message.data(), n);
            if (n < static_cast<std::size_t>(size))
                std::memset(buffer + n, 0, static_cast<std::size_t>(size) - n);
        }
        return 0;
    }
};

struct ErrorTextCase {
    const char* name;
    std::string message;
    int32_t reportedLength;
    QString expected;
};

// Keeps the case's name, not its bytes, in the test listing.
void PrintTo(const ErrorTextCase& c, std::ostream* out) {
    *out << c.name;
}

class LastErrorText : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(LastErrorText, FollowsTheLengthThenBufferCalls) {
    const ErrorTextCase& c = GetParam();
    FakeErrorLibrary library{c.message, c.reportedLength};
    auto getLastError = [&] { return library.code(); };
    auto translateError = [&](int32_t code, char* buffer, int32_t size, int32_t* needed) {
        return library.translate(code, buffer, size, needed);
    };
    EXPECT_EQ(gamefiles::LastErrorText(getLastError, translateError), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LastErrorText,
    testing::Values(ErrorTextCase{"EmptyMessage", "", 0, ""},
                    ErrorTextCase{"NulPaddingIsCut", "cannot open a.txt", 30, "cannot open a.txt"},
                    ErrorTextCase{"BufferFilledWithoutNul", "line 3: bad value", 17,
                                  "line 3: bad value"},
                    ErrorTextCase{"Utf8Bytes", "caf\xc3\xa9", 5, QString::fromUtf8("caf\xc3\xa9")},
                    ErrorTextCase{"Latin1Bytes", "caf\xe9", 4, QString::fromLatin1("caf\xe9")}),
    [](const testing::TestParamInfo<ErrorTextCase>& info) { return info.param.name; });

TEST(LastErrorText, RealLibraryNamesTheMissingPath) {
    const QString missing = QStringLiteral("/nonexistent-folder/TMissing.txt");
    EXPECT_EQ(mdlZorvFD::ZorvFD_OpenFile(missing, 0, 0, 0), 0);
    EXPECT_NE(mdlZorvFD::ZorvFD_GetLastError(), 0);
    EXPECT_TRUE(mdlZorvFD::GetLastErrorText().contains(missing))
        << mdlZorvFD::GetLastErrorText().toStdString();
}

struct FindNameCase {
    const char* name;
    std::string bytes; // written into the 255-byte field, the rest NUL
    QString expected;
};

void PrintTo(const FindNameCase& c, std::ostream* out) {
    *out << c.name;
}

class FindDataNames : public testing::TestWithParam<FindNameCase> {};

TEST_P(FindDataNames, AreCutAtTheFirstNul) {
    const FindNameCase& c = GetParam();
    ZorvVFSFindData data{};
    std::memcpy(data.name, c.bytes.data(), c.bytes.size());
    std::memcpy(data.realName, c.bytes.data(), c.bytes.size());
    std::memset(data.padding, 'x', sizeof data.padding);
    EXPECT_EQ(mdlZorvVFS::FindDataName(data), c.expected);
    EXPECT_EQ(mdlZorvVFS::FindDataRealName(data), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindDataNames,
    testing::Values(FindNameCase{"Empty", "", ""},
                    FindNameCase{"Padded", "types\\TLaser.txt", "types\\TLaser.txt"},
                    FindNameCase{"GarbageAfterNul", std::string("v\0old name", 10), "v"},
                    FindNameCase{"Full255Bytes", std::string(255, 'n'), QString(255, u'n')}),
    [](const testing::TestParamInfo<FindNameCase>& info) { return info.param.name; });

} // namespace
