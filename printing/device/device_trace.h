#pragma once

#include <string>
#include <string_view>

// Lines of the device trace file: "-- dd/mm hh:nn:ss:zzz " + text, CR LF at
// the end, the time from the program's clock. Write errors are ignored: a
// trace never stops the device.

// The line as written, without the line end.
std::string deviceTraceLine(std::string_view text);

// Appends the line to the file; nothing when the file name is empty. With
// translate, control bytes are written as names ("[ESC]", "[LF]").
void writeDeviceTrace(std::string_view file, std::string_view text, bool translate);
