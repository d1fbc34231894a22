// The Universe Map's saved options, kept in the registry under the editor's
// key, subkey "UniverseMap". Each is on when missing.
#pragma once

struct UniverseMapOptions {
    bool showGrid = true;
    bool showNames = true;

    static UniverseMapOptions Load();
    void Save() const;
};
