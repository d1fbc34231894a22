#include "TFileLine.h"

namespace zorvstore {
namespace {
constexpr std::string_view kNewValue = "0;";
}

void TFileLine::assign(std::string values, std::vector<uint32_t> ends, std::string tail) {
    text_ = std::move(values);
    ends_ = std::move(ends);
    tail_ = std::move(tail);
    setAsText_.clear();
}

std::size_t TFileLine::start(int32_t index) const {
    return index == 0 ? 0 : ends_[static_cast<std::size_t>(index) - 1] + 1;
}

std::string_view TFileLine::spelling(int32_t index) const {
    const std::size_t from = start(index);
    return std::string_view(text_).substr(from, ends_[static_cast<std::size_t>(index)] - from);
}

ValueReading TFileLine::value(int32_t index) const {
    if (!setAsText_.empty() && setAsText_[static_cast<std::size_t>(index)])
        return {};
    return readValue(spelling(index));
}

void TFileLine::shiftEnds(int32_t from, std::ptrdiff_t delta) {
    for (std::size_t i = static_cast<std::size_t>(from); i < ends_.size(); ++i)
        ends_[i] = static_cast<uint32_t>(static_cast<std::ptrdiff_t>(ends_[i]) + delta);
}

void TFileLine::set(int32_t index, std::string_view spelling, bool asText) {
    const std::size_t from = start(index);
    const std::size_t oldLength = ends_[static_cast<std::size_t>(index)] - from;
    text_.replace(from, oldLength, spelling);
    shiftEnds(index, static_cast<std::ptrdiff_t>(spelling.size()) -
                         static_cast<std::ptrdiff_t>(oldLength));
    if (asText && setAsText_.empty())
        setAsText_.resize(ends_.size(), false);
    if (!setAsText_.empty())
        setAsText_[static_cast<std::size_t>(index)] = asText;
}

void TFileLine::resize(int32_t count) {
    if (count < size()) {
        text_.resize(start(count));
        ends_.resize(static_cast<std::size_t>(count));
    } else {
        insert(size(), count - size());
    }
    if (!setAsText_.empty())
        setAsText_.resize(ends_.size(), false);
}

void TFileLine::insert(int32_t index, int32_t count) {
    const std::size_t from = start(index);
    std::string added;
    added.reserve(kNewValue.size() * static_cast<std::size_t>(count));
    std::vector<uint32_t> addedEnds;
    addedEnds.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        added += kNewValue;
        addedEnds.push_back(static_cast<uint32_t>(from + added.size() - 1));
    }
    text_.insert(from, added);
    shiftEnds(index, static_cast<std::ptrdiff_t>(added.size()));
    ends_.insert(ends_.begin() + index, addedEnds.begin(), addedEnds.end());
    if (!setAsText_.empty())
        setAsText_.insert(setAsText_.begin() + index, static_cast<std::size_t>(count), false);
}

void TFileLine::remove(int32_t index, int32_t count) {
    if (count == 0)
        return;
    const std::size_t from = start(index);
    const std::size_t to = start(index + count);
    text_.erase(from, to - from);
    ends_.erase(ends_.begin() + index, ends_.begin() + index + count);
    shiftEnds(index, -static_cast<std::ptrdiff_t>(to - from));
    if (!setAsText_.empty())
        setAsText_.erase(setAsText_.begin() + index, setAsText_.begin() + index + count);
}

void TFileLine::copyValues(const TFileLine& source) {
    if (&source == this)
        return;
    text_ = source.text_;
    ends_ = source.ends_;
    setAsText_ = source.setAsText_;
}

void TFileLine::appendText(std::string& out) const {
    out += text_;
    out += tail_;
}

std::string TFileLine::saveProblem() const {
    if (ends_.empty())
        return "the line has no values";
    if (readsAsComment(text_))
        return "the first value starts with \"//\", so the line would read back as a comment";
    for (int32_t i = 0; i < size(); ++i) {
        std::string reason = unsavableReason(spelling(i));
        if (!reason.empty())
            return "the value at index " + std::to_string(i) + " " + reason;
    }
    return {};
}

std::size_t TFileLine::memoryBytes() const {
    return sizeof(TFileLine) + text_.capacity() + ends_.capacity() * sizeof(uint32_t) +
           setAsText_.capacity() / 8 + tail_.capacity();
}

} // namespace zorvstore
