#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes/enum_names.h"

// The encodings a mail message is written with: the character sets, base64
// bodies, RFC 2047 words for headers that are not ASCII, RFC 2231 file names
// and the content type of an attachment by its extension. Texts come in as the
// program's UTF-8 and leave in the message's character set; characters that
// set cannot hold become "?". Nothing here raises except for an allocation.

// The character sets a message can be written in (a stored setting: the
// ordinals stay).
enum TMimeChar : std::uint8_t { CP1250, CP1252, CP437, CP850, UTF_8 };
template <>
inline constexpr auto kEnumNames<TMimeChar> = std::to_array<EnumName<TMimeChar>>(
    {{CP1250, "CP1250"}, {CP1252, "CP1252"}, {CP437, "CP437"}, {CP850, "CP850"}, {UTF_8, "UTF_8"}});

// The name of the character set in a "charset" parameter ("UTF-8", "windows-1252").
std::string_view mimeCharsetName(TMimeChar charset);
// The UTF-8 text in that character set.
std::string toMimeCharset(std::string_view utf8, TMimeChar charset);

// Base64 of the bytes in lines of 76 characters, each ended by CR LF.
std::string base64Lines(std::string_view bytes);

// The header text as it is when ASCII, else as RFC 2047 "B" words in the
// character set, each at most 75 characters, joined by CR LF and a blank.
std::string encodeHeaderText(std::string_view utf8, TMimeChar charset);

// One address entry ("addr", "Name <addr>" or "\"Name\" <addr>") for a header,
// the display name encoded when it is not ASCII.
std::string encodeAddress(std::string_view entry, TMimeChar charset);

// The address part of an entry: what lies between "<" and ">", else the whole
// entry, trimmed.
std::string addressOf(std::string_view entry);

// The "filename" parameter of a part: quoted when ASCII, else RFC 2231 in UTF-8.
std::string fileNameParameter(std::string_view utf8Name);

// The content type of a file by the extension of its name;
// "application/octet-stream" for an extension the table lacks.
std::string_view contentTypeForFile(std::string_view fileName);
