#pragma once

// Source tables of the TXT layout, one per layout version. Internal to the
// layout unit: everything else reads the layout through layout_txt.h.
//
// The tables are defined in layout_txt_v110.cpp, layout_txt_v200.cpp,
// layout_txt_v310.cpp and layout_txt_v400.cpp; layout_txt.cpp reads them.

#include <span>
#include <string_view>

// One record line of a layout: the writer group that produces it, the record
// name and its fields as a comma-separated list (empty for a line that only
// marks the start of a group). `tail` is literal text written after the record
// name in place of fields.
struct TxtLayoutLine {
    std::string_view group;
    std::string_view record;
    std::string_view fields;
    std::string_view tail = {};
};

// One layout version: its version text, the group id of its header line and
// its record lines after the header and version lines, in layout order.
struct TxtLayoutVersion {
    std::string_view version;
    std::string_view headerGroup;
    std::span<const TxtLayoutLine> lines;
};

const TxtLayoutVersion &txtLayoutV110();
const TxtLayoutVersion &txtLayoutV200();
const TxtLayoutVersion &txtLayoutV310();
const TxtLayoutVersion &txtLayoutV400();
