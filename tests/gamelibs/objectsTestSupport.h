// Small helpers for the object store tests: files through the file driver,
// values as short texts ("i:5", "d:0.5", "t:abc"), last errors as text.
#pragma once

#include "support/TestFolders.h"
#include "zorvfd.h"
#include "zorvobjects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace objectstest {

inline std::string errorText(int32_t (*translate)(int32_t, char*, int32_t, int32_t*),
                             int32_t code) {
    int32_t needed = 0;
    translate(code, nullptr, 0, &needed);
    std::string text(static_cast<std::size_t>(needed) + 1, '\0');
    translate(code, text.data(), needed + 1, &needed);
    text.resize(static_cast<std::size_t>(needed));
    return text;
}

inline std::string objectsError() {
    return errorText(Zorv_TranslateError, Zorv_GetLastError());
}
inline std::string driverError() {
    return errorText(ZorvFD_TranslateError, ZorvFD_GetLastError());
}

inline std::string dataPath(const std::string& name) {
    return (testsupport::dataDir() / name).string();
}

// Loads a file through the file driver; 0 when the store refused it.
inline int32_t loadFile(const std::string& path) {
    const int32_t file = ZorvFD_OpenFile(path.c_str(), 0, 0, 0);
    EXPECT_NE(file, 0) << driverError();
    const int32_t store = Zorv_LoadFromFile(file, 1);
    ZorvFD_CloseFile(file);
    return Zorv_GetLastError() == 0 ? store : 0;
}

inline int32_t loadText(const std::string& text, const std::string& name = "TTest.txt") {
    testsupport::writeFile(testsupport::dataDir() / name, text);
    const int32_t store = loadFile(dataPath(name));
    EXPECT_NE(store, 0) << objectsError();
    return store;
}

// Saves the way the editor does: open for writing, save, cut, close. A
// failed save's file driver error, read before the close, goes to error.
inline bool saveStore(int32_t store, const std::string& path, int32_t fileType = 1,
                      std::string* error = nullptr) {
    const int32_t file = ZorvFD_OpenFile(path.c_str(), 1, 1, fileType);
    EXPECT_NE(file, 0) << driverError();
    const bool saved = Zorv_SaveToFile(file, store) != 0;
    if (error)
        *error = saved ? std::string() : driverError();
    if (saved)
        ZorvFD_SetEndOfFile(file);
    ZorvFD_CloseFile(file);
    return saved;
}

inline std::string saveText(int32_t store) {
    const std::string path = dataPath("saved.txt");
    std::string error;
    EXPECT_TRUE(saveStore(store, path, 1, &error)) << error;
    return testsupport::readFile(path);
}

inline std::vector<int32_t> linesOf(int32_t store) {
    int32_t count = 0;
    Zorv_EnumObjects(store, nullptr, 0, &count);
    std::vector<int32_t> lines(static_cast<std::size_t>(count));
    if (count > 0)
        Zorv_EnumObjects(store, lines.data(), count, nullptr);
    return lines;
}

inline std::string valueOf(int32_t line, int32_t index) {
    ZorvVariant value{};
    if (!Zorv_TXTGetValue(line, index, &value))
        return "error";
    std::string text;
    switch (value.type) {
    case ZORV_VT_INT:
        text = "i:" + std::to_string(value.intValue);
        break;
    case ZORV_VT_DOUBLE: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "d:%.17g", value.doubleValue);
        text = buffer;
        break;
    }
    case ZORV_VT_TEXT:
        text = "t:" + std::string(value.text, static_cast<std::size_t>(value.length));
        break;
    default:
        text = "type " + std::to_string(value.type);
    }
    Zorv_VariantClear(&value);
    return text;
}

inline std::vector<std::string> valuesOf(int32_t line) {
    std::vector<std::string> values;
    for (int32_t i = 0; i < Zorv_TXTGetSize(line); ++i)
        values.push_back(valueOf(line, i));
    return values;
}

inline ZorvVariant intValue(int32_t number) {
    ZorvVariant value{};
    value.type = ZORV_VT_INT;
    value.intValue = number;
    return value;
}

inline ZorvVariant doubleValue(double number) {
    ZorvVariant value{};
    value.type = ZORV_VT_DOUBLE;
    value.doubleValue = number;
    return value;
}

// Points into text: keep text alive while the variant is used.
inline ZorvVariant textValue(const std::string& text) {
    ZorvVariant value{};
    value.type = ZORV_VT_TEXT;
    value.text = const_cast<char*>(text.data());
    value.length = static_cast<int32_t>(text.size());
    return value;
}

} // namespace objectstest
