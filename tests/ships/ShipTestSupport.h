// Ship lines for the tests: a new 55-value ship in a loaded T-file, or a
// ship over a line written as T-file text, and whole lines as text.
#pragma once

#include "platform/ZorvError.h"
#include "ships/clsShip.h"
#include "tfiles/TFileTestSupport.h"
#include "tfiles/TxtValue.h"

#include <gtest/gtest.h>

#include <QString>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace shiptest {

// The tail of every test ship: volume, price, both price modifiers, ware
// class and the ID string.
inline const std::string kTail = "11;12;13;14;3;SS_TEST;";

// Fixed fields 0 to 46: zero but for docking slots (40) and cargo type (41),
// which a misplaced turret descriptor would hit; `changed` sets others.
inline std::string Head(std::initializer_list<std::pair<int, int>> changed = {}) {
    std::string head;
    for (int field = 0; field < 47; ++field) {
        int value = field == 40 ? 5 : field == 41 ? 2 : 0;
        for (const auto& [index, number] : changed)
            if (index == field)
                value = number;
        head += std::to_string(value) + ";";
    }
    return head;
}

// The line with `value` in place of its value `field`.
inline std::string WithField(std::string line, int field, const std::string& value) {
    std::size_t start = 0;
    for (int i = 0; i < field; ++i)
        start = line.find(';', start) + 1;
    return line.replace(start, line.find(';', start) - start, value);
}

// Every value followed by ";", as in the file.
inline std::string Line(const clsTXTObject& record) {
    std::string line;
    for (int32_t i = 0; i < record.size(); ++i)
        line += tfiles::ValueText(record.Value(i)).toStdString() + ";";
    return line;
}

inline std::string Line(const clsShip& ship) {
    return Line(*ship.Object);
}

// A ship over the first line of a T-file holding the given lines.
inline std::shared_ptr<clsShip> LoadedShip(clsTxtParser& parser, const std::string& line) {
    EXPECT_TRUE(tfiletest::LoadBytes(parser, tfiletest::TFile({line}), "TShips.txt"))
        << parser.GetLastError().toStdString();
    auto ship = clsShip::Create();
    ship->Object = parser.FindIndex(0);
    EXPECT_TRUE(ship->LoadObjects()) << ship->GetLastError().toStdString();
    return ship;
}

// A new line of an empty T-file laid out as an empty ship, with the
// sentinel values of Head and kTail.
inline std::shared_ptr<clsShip> NewShip(clsTxtParser& parser) {
    EXPECT_TRUE(tfiletest::LoadBytes(parser, tfiletest::TFile({}), "TShips.txt"));
    auto ship = clsShip::Create();
    ship->Object = parser.CreateObject(nullptr);
    ship->Construct();
    for (const auto& [field, value] :
         {std::pair{40, 5}, {41, 2}, {49, 11}, {50, 12}, {51, 13}, {52, 14}, {53, 3}})
        ship->SetValue(field, value);
    ship->Object->SetObjectName("SS_TEST");
    EXPECT_TRUE(ship->LoadObjects());
    return ship;
}

// The error that `call` raises; a failure when it raises none.
template <class Call> platform::ZorvError Raised(Call call) {
    try {
        call();
    } catch (const platform::ZorvError& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return platform::ZorvError(0, QString(), QString());
}

inline constexpr int32_t kModelError = static_cast<int32_t>(0x80040064);

} // namespace shiptest
