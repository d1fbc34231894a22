#include "TFileStore.h"

#include <iterator>

namespace zorvstore {
namespace {

std::string_view endingText(LineEnding ending) {
    switch (ending) {
    case LineEnding::LF:
        return "\n";
    case LineEnding::CRLF:
        return "\r\n";
    case LineEnding::None:
        break;
    }
    return {};
}

// Writes lines one after another. A line read without a line break (the
// last of its file) gets the file's line break once another line follows.
class LineWriter {
public:
    LineWriter(std::string& out, LineEnding fallback) : out_(out), fallback_(fallback) {}

    std::string& begin(LineEnding ending) {
        if (lines_++ > 0)
            out_ += endingText(pending_ == LineEnding::None ? fallback_ : pending_);
        pending_ = ending;
        return out_;
    }
    void comments(const std::vector<RawLine>& lines) {
        for (const RawLine& line : lines)
            begin(line.ending) += line.text;
    }
    void finish() { out_ += endingText(pending_); }
    int32_t lines() const { return lines_; }

private:
    std::string& out_;
    LineEnding fallback_;
    LineEnding pending_ = LineEnding::None;
    int32_t lines_ = 0;
};

} // namespace

TFileStore::~TFileStore() {
    detachLines();
}

std::vector<RawLine>& TFileStore::lastComments() {
    if (!slots_.empty())
        return slots_.back().commentsAfter;
    return hasHeader_ ? headerComments_ : preamble_;
}

void TFileStore::addComment(RawLine comment) {
    lastComments().push_back(std::move(comment));
}

void TFileStore::setHeader(TFileLine header, int32_t version, int32_t recordedCount) {
    header_ = std::move(header);
    version_ = version;
    recordedCount_ = recordedCount;
    hasHeader_ = true;
}

void TFileStore::addLine(std::shared_ptr<TFileLine> line) {
    insertLine(std::move(line), slots_.size());
}

const std::shared_ptr<TFileLine>& TFileStore::line(std::size_t position) const {
    return slots_[position].line;
}

void TFileStore::renumberFrom(std::size_t position) {
    for (std::size_t i = position; i < slots_.size(); ++i)
        slots_[i].line->position = i;
}

void TFileStore::insertLine(std::shared_ptr<TFileLine> line, std::size_t position) {
    line->store = this;
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(position),
                  Slot{std::move(line), {}});
    renumberFrom(position);
}

void TFileStore::removeLine(std::size_t position) {
    auto slot = slots_.begin() + static_cast<std::ptrdiff_t>(position);
    std::vector<RawLine>& before = position == 0 ? headerComments_ : std::prev(slot)->commentsAfter;
    before.insert(before.end(), std::make_move_iterator(slot->commentsAfter.begin()),
                  std::make_move_iterator(slot->commentsAfter.end()));
    slot->line->store = nullptr;
    slots_.erase(slot);
    renumberFrom(position);
}

void TFileStore::detachLines() {
    for (Slot& slot : slots_)
        slot.line->store = nullptr;
}

int32_t TFileStore::textLineNumber(std::size_t position) const {
    std::size_t number = preamble_.size() + 1 + headerComments_.size();
    for (std::size_t i = 0; i < position && i < slots_.size(); ++i)
        number += 1 + slots_[i].commentsAfter.size();
    return static_cast<int32_t>(number + 1);
}

bool TFileStore::serialize(std::string& out, std::string& problem) const {
    std::size_t estimate = header_.textBytes() + 2;
    std::size_t lines = preamble_.size() + 1 + headerComments_.size();
    auto values = static_cast<std::size_t>(header_.size());
    for (const Slot& slot : slots_) {
        estimate += slot.line->textBytes() + 2;
        lines += 1 + slot.commentsAfter.size();
        values += static_cast<std::size_t>(slot.line->size());
    }
    // The bounds of reading, so the file reads back.
    if (lines > kMaxFileLines || values > kMaxFileValues) {
        problem = "the file would hold more than " + std::to_string(kMaxFileLines) + " lines or " +
                  std::to_string(kMaxFileValues) + " values";
        return false;
    }
    out.clear();
    out.reserve(estimate);

    LineWriter writer(out, defaultEnding_);
    writer.comments(preamble_);
    const auto count = static_cast<int32_t>(slots_.size());
    if (recordedCount_ == count) {
        header_.appendText(writer.begin(header_.ending));
    } else {
        TFileLine corrected = header_;
        corrected.set(1, formatInt(count), false);
        corrected.appendText(writer.begin(header_.ending));
    }
    writer.comments(headerComments_);
    for (const Slot& slot : slots_) {
        problem = slot.line->saveProblem();
        if (!problem.empty()) {
            problem = "line " + std::to_string(writer.lines() + 1) + ", " + problem;
            return false;
        }
        slot.line->appendText(writer.begin(slot.line->ending));
        writer.comments(slot.commentsAfter);
    }
    writer.finish();
    return true;
}

void TFileStore::markSaved(std::string name) {
    const auto count = static_cast<int32_t>(slots_.size());
    if (recordedCount_ != count) {
        header_.set(1, formatInt(count), false);
        recordedCount_ = count;
    }
    for (Slot& slot : slots_)
        slot.line->dirty = false;
    name_ = std::move(name);
}

} // namespace zorvstore
