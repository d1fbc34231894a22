// The generated universe map of the map benchmarks: 300 sectors on a grid of
// 20 columns, each with 60 objects of every kind below it.
#pragma once

#include <string>

namespace benchmap {

constexpr int kSectors = 300;
constexpr int kColumns = 20;

struct MapWriter {
    std::string text;
    int depth = 1;
    int serial = 0;

    void Open(const std::string& attributes) {
        text += std::string(depth * 2, ' ') + "<o " + attributes + ">\n";
        ++depth;
    }
    void Close() {
        --depth;
        text += std::string(depth * 2, ' ') + "</o>\n";
    }
    void Leaf(const std::string& attributes) {
        text += std::string(depth * 2, ' ') + "<o " + attributes + "/>\n";
    }
    // A position and rotation that differ from object to object.
    std::string Place() {
        ++serial;
        return " x=\"" + std::to_string(serial * 7919 % 20000000 - 10000000) + "\" y=\"" +
               std::to_string(serial * 104729 % 4000000 - 2000000) + "\" z=\"" +
               std::to_string(serial * 1299709 % 20000000 - 10000000) + "\" a=\"" +
               std::to_string(serial % 65536) + "\" b=\"0\" g=\"" +
               std::to_string(serial * 3 % 65536) + "\"";
    }
};

// Each sector: background, sun, three planets, four gates, two docks and a
// factory with their containers and wares or ships, eight flying ships and
// fifteen asteroids: 60 objects below the sector.
inline std::string GenerateMap() {
    MapWriter map;
    map.text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<universe xmlns=\"XUNIVERS.xsd\">\n";
    for (int sector = 0; sector < kSectors; ++sector) {
        const int x = sector % kColumns;
        const int y = sector / kColumns;
        map.Open("t=\"1\" s=\"0\" x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                 "\" r=\"" + std::to_string(sector % 10 + 1) +
                 "\" color=\"1193046\" ff=\"0\" fc=\"0\" fn=\"0\" m=\"3\"");
        map.Leaf("t=\"2\" s=\"" + std::to_string(sector % 12) + "\"");
        map.Leaf("t=\"3\" s=\"1\" color=\"16777215\"" + map.Place());
        for (int planet = 0; planet < 3; ++planet)
            map.Leaf("t=\"4\" s=\"" + std::to_string(planet) + "\"" + map.Place());
        for (int gate = 0; gate < 4; ++gate)
            map.Leaf("t=\"18\" s=\"" + std::to_string(gate) + "\" r=\"1\" gid=\"" +
                     std::to_string(gate) + "\" gtid=\"" + std::to_string(gate ^ 1) + "\" gx=\"" +
                     std::to_string((x + 1) % kColumns) + "\" gy=\"" + std::to_string(y) + "\"" +
                     map.Place());
        for (int dock = 0; dock < 2; ++dock) {
            map.Open("t=\"5\" s=\"" + std::to_string(dock) + "\" r=\"1\"" + map.Place());
            for (const char* group : {"8", "5"}) {
                map.Open(std::string("t=\"23\" s=\"") + group + "\"");
                for (int item = 0; item < 3; ++item)
                    map.Leaf("t=\"11\" s=\"" + std::to_string(item) + "\" n=\"" +
                             std::to_string(100 + item) + "\"");
                map.Close();
            }
            map.Close();
        }
        map.Open("t=\"6\" s=\"4\" r=\"1\"" + map.Place());
        for (const char* group : {"6", "7", "5"}) {
            map.Open(std::string("t=\"23\" s=\"") + group + "\"");
            for (int item = 0; item < 2; ++item)
                map.Leaf("t=\"12\" s=\"" + std::to_string(item) + "\" n=\"50\"");
            map.Close();
        }
        map.Close();
        for (int ship = 0; ship < 8; ++ship)
            map.Leaf("t=\"7\" s=\"" + std::to_string(ship * 13 % 90) + "\" r=\"2\"" + map.Place());
        for (int asteroid = 0; asteroid < 15; ++asteroid)
            map.Leaf("t=\"17\" s=\"" + std::to_string(asteroid % 5) + "\" atype=\"" +
                     std::to_string(asteroid % 3) + "\" aamount=\"" +
                     std::to_string(asteroid * 7 % 64) + "\"" + map.Place());
        map.Close();
    }
    map.text += "</universe>\n";
    return map.text;
}

} // namespace benchmap
