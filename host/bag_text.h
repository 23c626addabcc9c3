// A property bag as a text file that people read and edit, one key a line
// in the order the keys were written:
//
//   # comment
//   Caption = text: "Hi"
//   Value = i4: 1
//   BackColor = colour: 0x8000000f
//   Font = font: name="Tahoma" size=8 weight=400 charset=0 italic=False ...
//   Picture = picture: 6c 74 00 00 ...
//
// Every kind of value a control keeps in a bag reads back to the same
// VARIANT: the type tag names it (the table in bag_text.cpp), the value is
// written so that it reads back to the same bits. A name that could be
// misread is written in quotes.
//
// Reading takes hostile text calmly: a line that cannot be read is
// reported with its number and left out, and the rest is read. Values
// become numbers, strings, byte arrays, fonts and pictures only; nothing
// in the file chooses a class to create.
#pragma once

#include "common/com/variant.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pkw::host {

struct BagEntry {
    std::wstring name;
    Variant value;
};

struct BagProblem {
    int line = 0; // 0: not a line of the file
    std::wstring message;
};

struct BagTextOptions {
    std::wstring comment; // written first, as "# comment", when not empty
    // Names whose 32-bit integers are colours (written in hex); none when empty.
    std::function<bool(std::wstring_view name)> isColour;
};

// Values that cannot be written (arrays other than bytes, objects other
// than fonts and pictures) are reported and left out.
std::string writeBagText(std::span<const BagEntry> entries, const BagTextOptions& options,
                         std::vector<BagProblem>& problems);

// UTF-8, with or without a byte-order mark, lines ending in LF or CR LF.
// A name given twice keeps its first line.
std::vector<BagEntry> readBagText(std::string_view text, std::vector<BagProblem>& problems);

} // namespace pkw::host
