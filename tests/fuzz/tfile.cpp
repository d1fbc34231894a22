// The T-file reader: any bytes load or are refused with a reason. What loads
// saves as it was read (only a wrong header count is corrected), its save
// reloads to the same text, and a value set through the exported calls is
// saved and reads back.
#include "FuzzSupport.h"
#include "ReleaseStore.h"
#include "TFileStore.h"
#include "zorvcore.h"
#include "zorvobjects.h"
#include "zorvstore.h"

#include <cstring>
#include <string>
#include <vector>

using zorvstore::TFileStore;

namespace {

std::shared_ptr<TFileStore> storeOf(int32_t handle) {
    return zorvcore::lookup<TFileStore>(handle, zorvcore::HandleKind::Store);
}

std::string saved(const TFileStore& store) {
    std::string text, problem;
    FUZZ_PROMISE(store.serialize(text, problem));
    return text;
}

// Loads text that a save wrote, which must load.
int32_t reload(const std::string& text) {
    std::string error;
    const int32_t handle = zorvstore::parseTFile(text, "TFuzz.txt", error);
    FUZZ_PROMISE(handle != 0);
    return handle;
}

std::vector<int32_t> linesOf(int32_t store) {
    int32_t count = 0;
    Zorv_EnumObjects(store, nullptr, 0, &count);
    std::vector<int32_t> lines(static_cast<std::size_t>(count));
    if (count > 0)
        FUZZ_PROMISE(Zorv_EnumObjects(store, lines.data(), count, &count) != 0);
    return lines;
}

std::string spelling(int32_t store, std::size_t line, int32_t index) {
    return std::string(storeOf(store)->line(line)->spelling(index));
}

// One value set from the input's own bytes, as an integer or as text. An
// edit the store takes either saves and reads back, or the save refuses it.
void checkEdit(int32_t store, std::string_view input) {
    const std::vector<int32_t> lines = linesOf(store);
    if (lines.empty())
        return;
    const auto pick = static_cast<unsigned char>(input.back());
    const std::size_t line = (input.size() + pick) % lines.size();
    const int32_t values = Zorv_TXTGetSize(lines[line]);
    if (values < 1)
        return;
    const int32_t index = static_cast<int32_t>(pick % values);
    const std::string text(input.substr(pick % input.size(), pick % 7));
    ZorvVariant value{};
    value.type = ZORV_VT_TEXT;
    value.text = const_cast<char*>(text.c_str());
    value.length = static_cast<int32_t>(text.size());
    if (pick % 2 == 0) {
        value = ZorvVariant{};
        value.type = ZORV_VT_INT;
        value.intValue = static_cast<int32_t>(input.size() * 2654435761u);
    }
    if (!Zorv_TXTSetValue(lines[line], index, &value))
        return;
    const std::string expected = value.type == ZORV_VT_INT ? std::to_string(value.intValue) : text;
    FUZZ_PROMISE(spelling(store, line, index) == expected);
    std::string written, problem;
    if (!storeOf(store)->serialize(written, problem)) {
        FUZZ_PROMISE(!problem.empty());
        return;
    }
    const int32_t again = reload(written);
    FUZZ_PROMISE(storeOf(again)->lineCount() == lines.size());
    FUZZ_PROMISE(spelling(again, line, index) == expected);
    FUZZ_PROMISE(saved(*storeOf(again)) == written);
    fuzzsupport::releaseStore(again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(fuzzsupport::bytesOf(data, size));
    std::string error;
    const int32_t store = zorvstore::parseTFile(input, "TFuzz.txt", error);
    if (store == 0) {
        FUZZ_PROMISE(!error.empty());
        return 0;
    }
    const std::shared_ptr<TFileStore> read = storeOf(store);
    const std::string first = saved(*read);
    const bool countRight = read->recordedCount() == static_cast<int32_t>(read->lineCount());
    FUZZ_PROMISE(!countRight || first == input);

    const int32_t again = reload(first);
    const std::shared_ptr<TFileStore> reread = storeOf(again);
    FUZZ_PROMISE(reread->lineCount() == read->lineCount());
    FUZZ_PROMISE(reread->recordedCount() == static_cast<int32_t>(read->lineCount()));
    FUZZ_PROMISE(saved(*reread) == first);
    fuzzsupport::releaseStore(again);

    checkEdit(store, input);
    fuzzsupport::releaseStore(store);
    return 0;
}
