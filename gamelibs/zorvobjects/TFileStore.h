// One parsed T-file: its lines in file order, its header and its comments.
#pragma once
#include "TFileLine.h"
#include "zorvcore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorvstore {

struct RawLine {
    std::string text;
    LineEnding ending = LineEnding::None;
};

class TFileStore final : public zorvcore::HandleObject {
public:
    explicit TFileStore(std::string name) : name_(std::move(name)) {}
    ~TFileStore() override;
    TFileStore(const TFileStore&) = delete;
    TFileStore& operator=(const TFileStore&) = delete;

    zorvcore::HandleKind kind() const override { return zorvcore::HandleKind::Store; }

    // Building, in file order. A comment stays right after the line it
    // followed, whatever happens to the lines around it.
    void addComment(RawLine comment);
    void setHeader(TFileLine header, int32_t version, int32_t recordedCount);
    void addLine(std::shared_ptr<TFileLine> line);
    bool hasHeader() const { return hasHeader_; }
    void setDefaultEnding(LineEnding ending) { defaultEnding_ = ending; }
    LineEnding defaultEnding() const { return defaultEnding_; }

    const std::string& name() const { return name_; }
    int32_t version() const { return version_; }
    int32_t recordedCount() const { return recordedCount_; }
    std::size_t lineCount() const { return slots_.size(); }
    const std::shared_ptr<TFileLine>& line(std::size_t position) const;

    void insertLine(std::shared_ptr<TFileLine> line, std::size_t position);
    // The line leaves the file; comments after it move to the line before.
    void removeLine(std::size_t position);
    // The lines stay alive for whoever holds them, but no longer belong here.
    void detachLines();

    // 1-based line number in the text the store writes.
    int32_t textLineNumber(std::size_t position) const;

    // The file's text with the real line count in its header; false with the
    // reason, naming the line, when a value cannot be written.
    bool serialize(std::string& out, std::string& problem) const;
    // After a successful write: the header records the written count, no
    // line is changed any more, and error texts name the new path.
    void markSaved(std::string name);

    int32_t handle = 0;

private:
    struct Slot {
        std::shared_ptr<TFileLine> line;
        std::vector<RawLine> commentsAfter;
    };

    std::vector<RawLine>& lastComments();
    void renumberFrom(std::size_t position);

    std::string name_;
    std::vector<RawLine> preamble_; // comments before the header
    TFileLine header_;
    bool hasHeader_ = false;
    int32_t version_ = 0;
    int32_t recordedCount_ = 0;
    std::vector<RawLine> headerComments_; // comments after the header
    std::vector<Slot> slots_;
    LineEnding defaultEnding_ = LineEnding::LF;
};

} // namespace zorvstore
