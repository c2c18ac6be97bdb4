#include "dfe/mail/mime_message.h"

#include <atomic>
#include <ctime>
#include <random>

#include "foundation/text/text_utils.h"

namespace {

std::string newBoundary()
{
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    return "=_QuibMail_" + std::to_string(seed) + "_" + std::to_string(++counter);
}

std::string rfc5322Date(std::chrono::system_clock::time_point moment)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&seconds, &local);
    static constexpr const char *kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char *kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const long offset = local.tm_gmtoff / 60;
    const long absOffset = offset < 0 ? -offset : offset;
    char text[64];
    std::snprintf(text, sizeof text, "%s, %d %s %d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday],
                  local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min,
                  local.tm_sec, offset < 0 ? '-' : '+', absOffset / 60, absOffset % 60);
    return text;
}

void appendAddressHeader(std::string &out, std::string_view name, const std::vector<std::string> &entries,
                         TMimeChar charset)
{
    if (entries.empty())
        return;
    out += name;
    out += ": ";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            out += ",\r\n ";
        out += encodeAddress(entries[i], charset);
    }
    out += "\r\n";
}

std::string textPart(std::string_view type, std::string_view description, std::string_view utf8,
                     TMimeChar charset)
{
    std::string part = "Content-Type: " + std::string(type) + "; charset=\"" +
                       std::string(mimeCharsetName(charset)) + "\"\r\n";
    part += "Content-Transfer-Encoding: base64\r\n";
    part += "Content-Disposition: inline\r\n";
    part += "Content-Description: " + std::string(description) + "\r\n\r\n";
    part += base64Lines(toMimeCharset(utf8, charset));
    return part;
}

std::string attachmentPart(const MimeAttachment &attachment, bool referenced, TMimeChar charset)
{
    std::string part = "Content-Type: " + std::string(contentTypeForFile(attachment.fileName)) + "\r\n";
    part += "Content-Transfer-Encoding: base64\r\n";
    part += std::string("Content-Disposition: ") + (attachment.inlineDisposition ? "inline" : "attachment") +
            ";\r\n " + fileNameParameter(attachment.fileName) + "\r\n";
    if (!attachment.description.empty())
        part += "Content-Description: " + encodeHeaderText(attachment.description, charset) + "\r\n";
    if (referenced)
        part += "Content-ID: <" + attachment.description + ">\r\n";
    part += "\r\n";
    part += base64Lines(attachment.content);
    return part;
}

// A multipart body of the given subtype around the parts (each with its own
// headers).
std::string multipart(std::string_view subtype, const std::vector<std::string> &parts)
{
    const std::string boundary = newBoundary();
    std::string out =
        "Content-Type: multipart/" + std::string(subtype) + ";\r\n boundary=\"" + boundary + "\"\r\n\r\n";
    out += "This is a multi-part message in MIME format.\r\n";
    for (const auto &part : parts)
        out += "\r\n--" + boundary + "\r\n" + part;
    out += "\r\n--" + boundary + "--\r\n";
    return out;
}

} // namespace

bool htmlReferences(std::string_view html, std::string_view description)
{
    if (description.empty())
        return false;
    return lowerAscii(html).find(":" + lowerAscii(description)) != std::string::npos;
}

std::string composeMimeMessage(const TMimeHeader &header, const MimeBodies &bodies)
{
    const TMimeChar charset = header.CharSet;
    const bool alternative = !bodies.html.empty() && !bodies.text.empty();

    std::vector<std::string> top;
    if (alternative) {
        std::vector<std::string> related = {textPart("text/html", "HTML text", bodies.html, charset)};
        std::vector<std::string> others;
        for (const auto &attachment : bodies.attachments) {
            if (htmlReferences(bodies.html, attachment.description))
                related.push_back(attachmentPart(attachment, true, charset));
            else
                others.push_back(attachmentPart(attachment, false, charset));
        }
        top.push_back(multipart("alternative",
                                {textPart("text/plain", "Message text", bodies.text, charset),
                                 related.size() == 1 ? related.front() : multipart("related", related)}));
        top.insert(top.end(), others.begin(), others.end());
    } else {
        if (!bodies.text.empty())
            top.push_back(textPart("text/plain", "Message text", bodies.text, charset));
        if (!bodies.html.empty())
            top.push_back(textPart("text/html", "HTML text", bodies.html, charset));
        for (const auto &attachment : bodies.attachments)
            top.push_back(
                attachmentPart(attachment, htmlReferences(bodies.html, attachment.description), charset));
    }

    std::string out;
    out += "From: " + encodeAddress(header.From, charset) + "\r\n";
    appendAddressHeader(out, "To", header.ToList, charset);
    appendAddressHeader(out, "CC", header.CCList, charset);
    appendAddressHeader(out, "Reply-To", header.ReplyTo, charset);
    out += "Subject: " + encodeHeaderText(header.Subject, charset) + "\r\n";
    const auto date = header.Date == std::chrono::system_clock::time_point{}
                          ? std::chrono::system_clock::now()
                          : header.Date;
    out += "Date: " + rfc5322Date(date) + "\r\n";
    if (!header.Organization.empty())
        out += "Organization: " + encodeHeaderText(header.Organization, charset) + "\r\n";
    switch (header.Priority) {
    case MP_low:
        out += "X-Priority: 5\r\n";
        break;
    case MP_normal:
        out += "X-Priority: 3\r\n";
        break;
    case MP_high:
        out += "X-Priority: 1\r\n";
        break;
    case MP_unknown:
        break;
    }
    for (const auto &line : header.CustomHeaders)
        out += line + "\r\n";
    if (!header.XMailer.empty())
        out += "X-Mailer: " + header.XMailer + "\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += multipart("mixed", top);
    return out;
}
