// Registry hive files: any bytes read as a hive or are refused with the
// line; a hive saves to text that reads back to the same hive, and a value
// set in it is saved and reads back.
#include "FuzzSupport.h"
#include "platform/HiveFormat.h"

namespace {

QByteArray resaved(const QByteArray& text) {
    const platform::HiveParse again = platform::parseHive(text);
    FUZZ_PROMISE(again.root != nullptr);
    return platform::serializeHive(*again.root);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const platform::HiveParse read = platform::parseHive(input);
    if (!read.root) {
        FUZZ_PROMISE(!read.error.isEmpty());
        return 0;
    }
    const QByteArray saved = platform::serializeHive(*read.root);
    FUZZ_PROMISE(resaved(saved) == saved);

    // A value under the last key read (or the root), named after the input.
    platform::HiveNode* key = read.root.get();
    if (key->keys.count() > 0)
        key = key->keys.at(key->keys.count()).get();
    const QString name = QString::fromUtf8(input.left(8)).remove(QChar(u'\0'));
    platform::RegValue value;
    value.text = QString::fromUtf8(input.right(16));
    const bool added = key->values.add(std::make_shared<platform::RegValue>(value), name);
    const platform::HiveParse edited = platform::parseHive(platform::serializeHive(*read.root));
    FUZZ_PROMISE(edited.root != nullptr);
    if (added) {
        const platform::HiveNode* again = edited.root.get();
        if (again->keys.count() > 0)
            again = again->keys.at(again->keys.count()).get();
        const auto stored = again->values.find(name);
        FUZZ_PROMISE(stored != nullptr && *stored == value);
    }
    return 0;
}
