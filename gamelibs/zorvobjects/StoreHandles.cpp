#include "StoreHandles.h"

#include "TFileReader.h"
#include "zorvstore.h"

#include <deque>
#include <vector>

namespace zorvstore {
namespace {

struct ReleasedStore {
    std::vector<int32_t> lines;
    std::size_t bytes = 0;
};

class ReleasedLines {
public:
    void keep(ReleasedStore store) {
        bytes_ += store.bytes;
        stores_.push_back(std::move(store));
        while (bytes_ > kReleasedLinesBudget && stores_.size() > 1) {
            zorvcore::releaseHandles(stores_.front().lines);
            bytes_ -= stores_.front().bytes;
            stores_.pop_front();
        }
    }

private:
    std::deque<ReleasedStore> stores_;
    std::size_t bytes_ = 0;
};

// An XML document opened where a T-file was expected.
struct XmlDocument final : zorvcore::HandleObject {
    zorvcore::HandleKind kind() const override { return zorvcore::HandleKind::XmlDocument; }
};

ReleasedLines& releasedLines() {
    // Never destroyed: the handle table outlives every library at exit.
    static ReleasedLines* instance = new ReleasedLines;
    return *instance;
}

} // namespace

int32_t registerLine(const std::shared_ptr<TFileLine>& line) {
    line->handle = zorvcore::registerHandle(line);
    return line->handle;
}

int32_t registerStore(const std::shared_ptr<TFileStore>& store, std::string& error) {
    store->handle = zorvcore::registerHandle(store);
    bool registered = store->handle != 0;
    for (std::size_t i = 0; registered && i < store->lineCount(); ++i)
        registered = registerLine(store->line(i)) != 0;
    if (registered)
        return store->handle;
    for (std::size_t i = 0; i < store->lineCount(); ++i)
        zorvcore::releaseHandle(store->line(i)->handle);
    zorvcore::releaseHandle(store->handle);
    store->handle = 0;
    error = "T-file \"" + store->name() + "\": no handles left for its lines.";
    return 0;
}

void releaseStore(TFileStore& store) {
    ReleasedStore released;
    released.lines.reserve(store.lineCount());
    for (std::size_t i = 0; i < store.lineCount(); ++i) {
        const TFileLine& line = *store.line(i);
        released.lines.push_back(line.handle);
        released.bytes += line.memoryBytes();
    }
    store.detachLines();
    zorvcore::releaseHandle(store.handle);
    releasedLines().keep(std::move(released));
}

void releaseLine(TFileLine& line) {
    if (line.store)
        line.store->removeLine(line.position);
    zorvcore::releaseHandle(line.handle);
}

int32_t parseTFile(const std::string& content, const std::string& name, std::string& error) {
    std::shared_ptr<TFileStore> store = readTFile(content, name, error);
    return store ? registerStore(store, error) : 0;
}

int32_t parseObject(const std::string& content, const std::string& name, std::string& error) {
    if (!looksLikeXml(content))
        return parseTFile(content, name, error);
    const int32_t handle = zorvcore::registerHandle(std::make_shared<XmlDocument>());
    if (handle == 0)
        error = "\"" + name + "\": no handles left.";
    return handle;
}

} // namespace zorvstore
