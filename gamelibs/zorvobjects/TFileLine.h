// One object line of a T-file: its values, each kept as the text it is
// written with, so an unchanged value goes back to the file as it was read.
#pragma once
#include "ValueText.h"
#include "zorvcore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvstore {

class TFileStore;

enum class LineEnding : uint8_t { None, LF, CRLF };

class TFileLine final : public zorvcore::HandleObject {
public:
    zorvcore::HandleKind kind() const override { return zorvcore::HandleKind::Line; }

    // values: the line's text up to and including its last ';'; ends: the
    // offset of the ';' that closes each value; tail: blanks after it.
    void assign(std::string values, std::vector<uint32_t> ends, std::string tail);

    int32_t size() const { return static_cast<int32_t>(ends_.size()); }
    std::size_t textBytes() const { return text_.size() + tail_.size(); }
    std::string_view spelling(int32_t index) const;
    // A value set as text stays text even when it spells a number.
    ValueReading value(int32_t index) const;

    // Callers check indexes, counts and bounds first.
    void set(int32_t index, std::string_view spelling, bool asText);
    void resize(int32_t count);
    void insert(int32_t index, int32_t count);
    void remove(int32_t index, int32_t count);
    void copyValues(const TFileLine& source);

    // The line's text without its line ending.
    void appendText(std::string& out) const;
    // Why the line cannot be saved; empty when it can.
    std::string saveProblem() const;
    std::size_t memoryBytes() const;

    int32_t handle = 0;
    bool dirty = false;
    LineEnding ending = LineEnding::None;
    // The file the line belongs to and its position there; store is null
    // once the line was removed or its file released.
    TFileStore* store = nullptr;
    std::size_t position = 0;

private:
    std::size_t start(int32_t index) const;
    void shiftEnds(int32_t from, std::ptrdiff_t delta);

    std::string text_;
    std::vector<uint32_t> ends_;
    std::vector<bool> setAsText_; // empty while no value was set as text
    std::string tail_;
};

} // namespace zorvstore
