#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "dfe/mail/mime_encoding.h"
#include "foundation/codes/enum_names.h"

// The MIME message of one mail: its header fields and the composition of the
// part tree with base64 bodies and attachments (mime_message.cpp).
//
// Part tree:
// - no HTML, or only one body: mixed{text?, html?, attachments...}
// - HTML and text bodies: mixed{alternative{text, related{html, the
//   attachments the HTML names by "cid:"}}, the other attachments}
// so the files reach the reader whichever body the mail client shows.
// composeMimeMessage raises nothing but an allocation failure.

enum TMessPriority : std::uint8_t { MP_unknown, MP_low, MP_normal, MP_high };
template <>
inline constexpr auto kEnumNames<TMessPriority> = std::to_array<EnumName<TMessPriority>>(
    {{MP_unknown, "MP_unknown"}, {MP_low, "MP_low"}, {MP_normal, "MP_normal"}, {MP_high, "MP_high"}});

// The header fields of a message. Address entries are "addr",
// "Name <addr>" or "\"Name\" <addr>", in UTF-8.
struct TMimeHeader {
    std::string From;
    std::vector<std::string> ToList;
    std::vector<std::string> CCList;
    std::vector<std::string> ReplyTo;
    std::string Subject;
    std::string Organization;
    std::vector<std::string> CustomHeaders;       // whole "Name: value" lines
    std::chrono::system_clock::time_point Date{}; // the epoch: the moment of composing
    std::string XMailer;
    TMessPriority Priority = MP_normal;
    TMimeChar CharSet = UTF_8;

    void clear() { *this = TMimeHeader{}; }
};

struct MimeAttachment {
    std::string fileName;    // without folder
    std::string description; // Content-Description, and the Content-ID when referenced
    std::string content;     // the bytes
    bool inlineDisposition = true;
};

struct MimeBodies {
    std::string text; // UTF-8, lines joined by CR LF; empty: no text part
    std::string html; // UTF-8; empty: no HTML part
    std::vector<MimeAttachment> attachments;
};

// The whole message (header and body), lines ended by CR LF.
std::string composeMimeMessage(const TMimeHeader &header, const MimeBodies &bodies);

// True when the HTML refers to the attachment's description by "cid:"
// (letter case ignored).
bool htmlReferences(std::string_view html, std::string_view description);
