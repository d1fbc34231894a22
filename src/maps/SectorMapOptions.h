// The Sector Map's saved options, kept in the registry under the editor's
// key, subkey "SectorMap". A missing or unusable value takes its default.
#pragma once

#include <cstdint>

struct SectorMapOptions {
    int32_t labels = 2;
    int32_t units = 0;
    bool autoSync = true;
    bool topView = true;

    static SectorMapOptions Load();
    void Save() const;
};
