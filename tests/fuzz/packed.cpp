// Packed files: any bytes unpack within the bound or fail with a reason;
// what unpacks packs and unpacks to the same bytes, and so does the input.
#include "FuzzSupport.h"
#include "Packing.h"

#include <string>

namespace {
// Small, so a bomb among the inputs reaches the bound quickly.
constexpr std::size_t kLimit = std::size_t{1} << 20;

std::string roundTrip(std::string_view plain) {
    std::string packed, unpacked, reason;
    FUZZ_PROMISE(zorvfd::pack(plain, packed, reason));
    FUZZ_PROMISE(zorvfd::isPacked(packed));
    FUZZ_PROMISE(zorvfd::unpack(packed, unpacked, reason, kLimit));
    return unpacked;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzzsupport::bytesOf(data, size);
    if (zorvfd::isPacked(input)) {
        std::string plain, reason;
        if (zorvfd::unpack(input, plain, reason, kLimit)) {
            FUZZ_PROMISE(plain.size() <= kLimit);
            FUZZ_PROMISE(roundTrip(plain) == plain);
        } else {
            FUZZ_PROMISE(!reason.empty());
        }
    }
    if (input.size() <= kLimit)
        FUZZ_PROMISE(roundTrip(input) == input);
    return 0;
}
