// Exported calls that read and write whole XML documents, plain or packed;
// the file driver does the packing.
#include "ApiSupport.h"
#include "Variant.h"
#include "zorvobjects.h"

#include <cstdlib>
#include <memory>
#include <new>

using namespace zorvstore;

extern "C" {

int32_t Zorv_DecodeXMLFile(const char* path, ZorvVariant* text) try {
    constexpr const char* function = "Zorv_DecodeXMLFile";
    beginCall();
    if (!text)
        return fail(function, kBadArgument, "no variant for the document");
    resetVariant(*text);
    std::unique_ptr<char, decltype(&std::free)> memory(nullptr, &std::free);
    const auto room = [&memory](std::size_t size) {
        // One more for the NUL the variant's text ends in.
        memory.reset(static_cast<char*>(std::malloc(size + 1)));
        if (!memory)
            throw std::bad_alloc();
        return memory.get();
    };
    if (!path || !*path)
        return fail(function, kBadArgument, "no path given");
    std::string_view content;
    std::string error;
    if (!zorvcore::readFile(path, room, content, error))
        return fail(kReadFailed, error);
    memory.get()[content.size()] = '\0';
    adoptText(*text, memory.release(), content.size());
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

int32_t Zorv_EncodeXMLFile(const char* path, const ZorvVariant* text, int32_t fileType) try {
    constexpr const char* function = "Zorv_EncodeXMLFile";
    beginCall();
    if (!path || !*path)
        return fail(function, kBadArgument, "no path given");
    const std::string target(path);
    if (fileType != 1 && fileType != 2)
        return fail(function, kBadArgument,
                    "file type " + std::to_string(fileType) + " for \"" + target +
                        "\" (1 writes plain, 2 packed)");
    if (!text || text->type != ZORV_VT_TEXT || text->length < 0 ||
        (text->length > 0 && !text->text))
        return fail(function, kBadArgument, "no document text to write to \"" + target + "\"");
    std::string error;
    const std::string_view document(text->text ? text->text : "",
                                    static_cast<std::size_t>(text->length));
    if (!zorvcore::writeFile(target, document, fileType, error))
        return fail(kWriteFailed, error);
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}

} // extern "C"
