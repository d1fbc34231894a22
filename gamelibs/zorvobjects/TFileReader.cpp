#include "TFileReader.h"

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdio>
#include <cstring>

namespace zorvstore {
namespace {

class Reader {
public:
    Reader(std::string_view content, const std::string& name)
        : content_(content), name_(name), store_(std::make_shared<TFileStore>(name)) {}

    std::shared_ptr<TFileStore> read(std::string& error) {
        if (content_.empty())
            return fail(error, fileProblem("the file is empty, not a T-file"));
        if (looksLikeXml(content_))
            return fail(error, fileProblem("it is an XML document, not a T-file"));
        if (textLines(content_) > kMaxFileLines)
            return fail(
                error, fileProblem("it has more than " + std::to_string(kMaxFileLines) + " lines"));
        bool endingKnown = false;
        std::size_t pos = 0;
        while (pos < content_.size()) {
            const char* found = static_cast<const char*>(
                std::memchr(content_.data() + pos, '\n', content_.size() - pos));
            std::size_t end =
                found ? static_cast<std::size_t>(found - content_.data()) : content_.size();
            const std::size_t next = found ? end + 1 : end;
            LineEnding ending = found ? LineEnding::LF : LineEnding::None;
            if (found && end > pos && content_[end - 1] == '\r') {
                --end;
                ending = LineEnding::CRLF;
            }
            if (!endingKnown && found) {
                store_->setDefaultEnding(ending);
                endingKnown = true;
            }
            ++lineNumber_;
            if (!readLine(content_.substr(pos, end - pos), ending))
                return fail(error, problem_);
            pos = next;
        }
        if (!store_->hasHeader())
            return fail(error, fileProblem("no header line \"<version>;<line count>;\" "
                                           "(not a T-file)"));
        return std::move(store_);
    }

private:
    std::shared_ptr<TFileStore> fail(std::string& error, const std::string& text) {
        error = text;
        return nullptr;
    }

    std::string label() const {
        return name_.empty() ? std::string("T-file") : "T-file \"" + name_ + "\"";
    }

    std::string fileProblem(const std::string& what) const { return label() + ": " + what + "."; }

    bool lineProblem(const std::string& what) {
        problem_ = label() + ", line " + std::to_string(lineNumber_) + ": " + what + ".";
        return false;
    }

    bool controlByteProblem(std::size_t column, unsigned char byte) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", byte);
        return lineProblem(std::string(byte == 0 ? "binary data" : "a control byte") + " (" + hex +
                           ") at column " + std::to_string(column + 1) + ", a T-file is text");
    }

    bool readLine(std::string_view text, LineEnding ending) {
        if (text.size() > kMaxLineBytes)
            return lineProblem("the line is longer than " + std::to_string(kMaxLineBytes) +
                               " bytes");
        if (readsAsComment(text)) {
            for (std::size_t i = 0; i < text.size(); ++i)
                if (isControlByte(static_cast<unsigned char>(text[i])))
                    return controlByteProblem(i, static_cast<unsigned char>(text[i]));
            store_->addComment(RawLine{std::string(text), ending});
            return true;
        }
        if (!splitValues(text))
            return false;
        values_ += ends_.size();
        if (values_ > kMaxFileValues)
            return lineProblem("the file holds more than " + std::to_string(kMaxFileValues) +
                               " values");
        const std::size_t valuesEnd = ends_.back() + 1;
        TFileLine line;
        line.assign(std::string(text.substr(0, valuesEnd)), ends_,
                    std::string(text.substr(valuesEnd)));
        line.ending = ending;
        return store_->hasHeader() ? addLine(std::move(line)) : setHeader(std::move(line));
    }

    // Fills ends_ with the offset of every ';'; what follows the last one may
    // only be blanks. The first problem in the line's order is reported.
    bool splitValues(std::string_view text) {
        const std::size_t control = findSeparators(text, ends_);
        std::size_t valueStart = 0;
        for (std::size_t k = 0; k < ends_.size() && ends_[k] < control; ++k) {
            if (ends_[k] - valueStart > kMaxValueBytes)
                return lineProblem("the value at index " + std::to_string(k) + " is longer than " +
                                   std::to_string(kMaxValueBytes) + " bytes");
            if (k == kMaxLineValues)
                return lineProblem("the line has more than " + std::to_string(kMaxLineValues) +
                                   " values");
            valueStart = ends_[k] + 1;
        }
        if (control < text.size())
            return controlByteProblem(control, static_cast<unsigned char>(text[control]));
        for (std::size_t i = valueStart; i < text.size(); ++i)
            if (!isBlank(text[i]))
                return lineProblem("text after the last \";\" (every value ends with \";\"): \"" +
                                   std::string(text.substr(valueStart, 40)) + "\"");
        return true;
    }

    bool setHeader(TFileLine header) {
        const ValueReading version = header.size() == 2 ? header.value(0) : ValueReading{};
        const ValueReading count = header.size() == 2 ? header.value(1) : ValueReading{};
        if (version.kind != ValueKind::Int || count.kind != ValueKind::Int)
            return lineProblem("the header must be \"<version>;<line count>;\" with two whole "
                               "numbers (not a T-file)");
        if (version.intValue == 0)
            return lineProblem("the header's version is 0 (not a T-file)");
        store_->setHeader(std::move(header), version.intValue, count.intValue);
        return true;
    }

    bool addLine(TFileLine line) {
        store_->addLine(std::make_shared<TFileLine>(std::move(line)));
        return true;
    }

    std::string_view content_;
    const std::string& name_;
    std::shared_ptr<TFileStore> store_;
    std::vector<uint32_t> ends_;
    std::string problem_;
    int32_t lineNumber_ = 0;
    std::size_t values_ = 0;
};

} // namespace

namespace {

// One block of a line: a bit for every ';' (bit k for byte k), and whether a
// byte of it may be a control byte (below 0x20, tab included, or 0x7F).
struct Block {
    uint32_t separators;
    bool suspect;
};

#if defined(__SSE2__)
constexpr std::size_t kBlockBytes = 16;

Block scanBlock(const char* at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const auto mask = [](__m128i matches) {
        return static_cast<uint32_t>(_mm_movemask_epi8(matches));
    };
    const uint32_t printable =
        mask(_mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(0x20)), bytes));
    const uint32_t del = mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x7F)));
    return {mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(';'))), ((~printable & 0xFFFF) | del) != 0};
}
#else
constexpr std::size_t kBlockBytes = 8;

// The top bit of every byte of word that equals byte (exact per byte).
uint64_t bytesEqual(uint64_t word, unsigned char byte) {
    constexpr uint64_t kLow = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t other = word ^ (0x0101010101010101ULL * byte);
    return ~(((other & kLow) + kLow) | other | kLow);
}

Block scanBlock(const char* at) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    const uint64_t below20 = (word - kOnes * 0x20) & ~word & (kOnes * 0x80);
    // The top bits gathered into the low byte, one bit per byte.
    const uint64_t separators = ((bytesEqual(word, ';') >> 7) * 0x0102040810204080ULL) >> 56;
    return {static_cast<uint32_t>(separators), (below20 | bytesEqual(word, 0x7F)) != 0};
}
#endif

} // namespace

std::size_t findSeparators(std::string_view text, std::vector<uint32_t>& ends) {
    ends.clear();
    std::size_t i = 0;
    // A block at a time; a block that may hold a control byte (or a tab) is
    // looked at byte by byte.
    const auto byteByByte = [&](std::size_t end) {
        for (; i < end; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c == ';')
                ends.push_back(static_cast<uint32_t>(i));
            else if (isControlByte(c))
                return false;
        }
        return true;
    };
    while (i + kBlockBytes <= text.size()) {
        const Block block = scanBlock(text.data() + i);
        if (block.suspect) {
            if (!byteByByte(i + kBlockBytes))
                return i;
            continue;
        }
        for (uint32_t found = block.separators; found; found &= found - 1)
            ends.push_back(static_cast<uint32_t>(i + std::countr_zero(found)));
        i += kBlockBytes;
    }
    return byteByByte(text.size()) ? text.size() : i;
}

std::size_t textLines(std::string_view content) {
    const auto breaks = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
    return breaks + (!content.empty() && content.back() != '\n' ? 1 : 0);
}

bool looksLikeXml(std::string_view content) {
    std::size_t i = 0;
    if (content.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    while (i < content.size() && (isBlank(content[i]) || content[i] == '\r' || content[i] == '\n'))
        ++i;
    return i < content.size() && content[i] == '<';
}

std::shared_ptr<TFileStore> readTFile(std::string_view content, const std::string& name,
                                      std::string& error) {
    return Reader(content, name).read(error);
}

} // namespace zorvstore
