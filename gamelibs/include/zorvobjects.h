// Object store: parsed T-files, XML documents plain or packed, command-line splitting.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    ZORV_VT_EMPTY = 0,
    ZORV_VT_INT = 1,      // intValue
    ZORV_VT_DOUBLE = 2,   // doubleValue
    ZORV_VT_TEXT = 3,     // text of length bytes (8-bit, NUL-terminated as well)
    ZORV_VT_TEXT_LIST = 4 // items[0..count), each NUL-terminated
};

// A value crossing the library boundary. Values the library fills own their
// memory until Zorv_VariantClear; values the caller passes in are only read.
typedef struct ZorvVariant {
    int32_t type;
    int32_t intValue;
    double doubleValue;
    char* text;
    int32_t length;
    char** items;
    int32_t count;
} ZorvVariant;

typedef struct ZorvTXTHeader {
    int32_t version;   // non-zero once filled
    int32_t lineCount; // the line count the file's header records
} ZorvTXTHeader;

// Object kinds of Zorv_GetObjectType.
enum { ZORV_OBJECT_XML = 2, ZORV_OBJECT_TFILE = 3 };

// The most values one T-file line can hold.
enum { ZORV_MAX_LINE_VALUES = 65536 };

int32_t Zorv_LoadFromFile(int32_t file, int32_t flags);
int32_t Zorv_GetObjectType(int32_t store);
int32_t Zorv_EnumObjects(int32_t store, int32_t* array, int32_t length, int32_t* count);
int32_t Zorv_TXTGetHeader(int32_t store, ZorvTXTHeader* header);
int32_t Zorv_TXTGetValue(int32_t object, int32_t index, ZorvVariant* value);
// The line's ID string: its last value, as Zorv_TXTGetValue gives it.
int32_t Zorv_TXTGetID(int32_t object, ZorvVariant* value);
int32_t Zorv_TXTSetValue(int32_t object, int32_t index, const ZorvVariant* value);
int32_t Zorv_TXTGetSize(int32_t object);
int32_t Zorv_TXTSetSize(int32_t object, int32_t count);
int32_t Zorv_TXTInsertValues(int32_t object, int32_t index, int32_t count);
int32_t Zorv_TXTRemoveValues(int32_t object, int32_t index, int32_t count);
int32_t Zorv_TXTGetIndex(int32_t object);
int32_t Zorv_TXTCopyObject(int32_t destination, int32_t source);
int32_t Zorv_IsDirty(int32_t object);
int32_t Zorv_CreateObject(int32_t store, int32_t flags, int32_t before);
int32_t Zorv_DeleteHandle(int32_t handle);
int32_t Zorv_SaveToFile(int32_t file, int32_t store);
int32_t Zorv_DecodeXMLFile(const char* path, ZorvVariant* text);
int32_t Zorv_EncodeXMLFile(const char* path, const ZorvVariant* text, int32_t fileType);
int32_t Zorv_CommandLineToArgV(const char* commandLine, ZorvVariant* arguments);
void Zorv_VariantClear(ZorvVariant* value);
int32_t Zorv_GetLastError(void);
int32_t Zorv_TranslateError(int32_t code, char* buffer, int32_t size, int32_t* needed);
void Zorv_Version(int32_t* parts);

#ifdef __cplusplus
}
#endif
