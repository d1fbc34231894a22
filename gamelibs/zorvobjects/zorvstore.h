// The object store's entry for the virtual file system, exported from
// libzorvobjects.so: parse T-file text into a new store.
#pragma once
#include <cstdint>
#include <string>

namespace zorvstore {

// Store handle of the parsed text, 0 on failure with the reason in error.
// name is the file's path, used in error texts.
int32_t parseTFile(const std::string& content, const std::string& name, std::string& error);
// As parseTFile, but an XML document becomes an object of its own kind
// (Zorv_GetObjectType tells it apart), so the caller words the refusal.
int32_t parseObject(const std::string& content, const std::string& name, std::string& error);

} // namespace zorvstore
