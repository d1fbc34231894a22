#include "CommandLine.h"

#include "ApiSupport.h"
#include "Variant.h"
#include "zorvobjects.h"

namespace zorvstore {
namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i == line.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !isSeparator(line[i]))) {
            if (line[i] == '\\') {
                std::size_t backslashes = 0;
                while (i < line.size() && line[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < line.size() && line[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += line[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

} // namespace zorvstore

extern "C" int32_t Zorv_CommandLineToArgV(const char* commandLine, ZorvVariant* arguments) try {
    using namespace zorvstore;
    constexpr const char* function = "Zorv_CommandLineToArgV";
    beginCall();
    if (!arguments)
        return fail(function, kBadArgument, "no variant for the arguments");
    if (!putTextList(*arguments, splitCommandLine(commandLine ? commandLine : "")))
        return fail(function, kNoMemory, "out of memory");
    return 1;
} catch (...) {
    return zorvcore::failFromException(zorvcore::Library::Objects, __func__);
}
