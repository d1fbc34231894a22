#include "ApiSupport.h"

namespace zorvstore {

using zorvcore::HandleKind;

std::string handleProblem(int32_t handle, const char* wanted) {
    if (handle == 0)
        return std::string("no ") + wanted + " handle (0)";
    const std::string number = "handle " + std::to_string(handle);
    if (!zorvcore::lookupHandle(handle))
        return number + " is not open";
    return number + " is not a " + wanted + " handle";
}

namespace {

template <class T>
std::shared_ptr<T> find(const char* function, int32_t handle, HandleKind kind, const char* wanted) {
    auto object = zorvcore::lookup<T>(handle, kind);
    if (!object)
        fail(function, kBadHandle, handleProblem(handle, wanted));
    return object;
}

} // namespace

void beginCall() {
    zorvcore::clearError(zorvcore::Library::Objects);
}

int32_t fail(ErrorCode code, std::string text) {
    zorvcore::setError(zorvcore::Library::Objects, code, std::move(text));
    return 0;
}

int32_t fail(const char* function, ErrorCode code, const std::string& text) {
    return fail(code, std::string(function) + ": " + text + ".");
}

std::shared_ptr<TFileStore> findStore(const char* function, int32_t handle) {
    return find<TFileStore>(function, handle, HandleKind::Store, "T-file store");
}

std::shared_ptr<TFileLine> findLine(const char* function, int32_t handle) {
    return find<TFileLine>(function, handle, HandleKind::Line, "T-file line");
}

std::shared_ptr<TFileLine> findOpenLine(const char* function, int32_t handle) {
    auto line = findLine(function, handle);
    if (line && !line->store) {
        fail(function, kReleasedLine,
             "line handle " + std::to_string(handle) +
                 " belongs to a file that was released; it can only be read");
        return nullptr;
    }
    return line;
}

std::string describeLine(const TFileLine& line) {
    if (!line.store)
        return "the line (of a released file)";
    return "line " + std::to_string(line.store->textLineNumber(line.position)) + " of \"" +
           line.store->name() + "\"";
}

} // namespace zorvstore
