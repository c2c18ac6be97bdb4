// The receipt decoder of the printer tests, written from the makers' ESC/POS
// command reference; it shares nothing with the command writers it judges.

#include "tests/support/escpos_decoder.h"

#include <cstdint>
#include <iconv.h>
#include <map>
#include <memory>
#include <qrencode.h>
#include <stdexcept>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

namespace {

std::string hexByte(unsigned char b)
{
    static const char *kDigits = "0123456789ABCDEF";
    return std::string("\\x") + kDigits[b >> 4] + kDigits[b & 0x0F];
}

// Data bytes shown readable: printable ASCII as is, others as \xHH.
std::string readable(std::string_view data)
{
    std::string out;
    for (unsigned char b : data) {
        if (b == '\\')
            out += "\\\\";
        else if (b >= 0x20 && b < 0x7F)
            out.push_back(static_cast<char>(b));
        else
            out += hexByte(b);
    }
    return out;
}

// The character table (ESC t n) of the code pages the decoder knows.
const char *codePageName(int n)
{
    switch (n) {
    case 0:
        return "CP437";
    case 2:
        return "CP850";
    case 3:
        return "CP860";
    case 16:
        return "CP1252";
    case 18:
        return "CP852";
    default:
        return nullptr;
    }
}

// UTF-8 of every byte of a code page; bytes the page leaves undefined as \xHH.
const std::vector<std::string> &codePageTable(int n)
{
    static std::map<int, std::vector<std::string>> tables;
    auto found = tables.find(n);
    if (found != tables.end())
        return found->second;
    std::vector<std::string> table(256);
    iconv_t cd = iconv_open("UTF-8", codePageName(n));
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv lacks ") + codePageName(n));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8];
        char *inPtr = &in;
        char *outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            table[static_cast<std::size_t>(b)] = hexByte(static_cast<unsigned char>(b));
        else
            table[static_cast<std::size_t>(b)] = std::string(out, static_cast<std::size_t>(outPtr - out));
    }
    iconv_close(cd);
    return tables.emplace(n, std::move(table)).first->second;
}

struct Font {
    bool fontB = false;
    bool bold = false;
    bool underline = false;
    bool doubleWidth = false;
    bool doubleHeight = false;
    bool reverse = false;
    friend bool operator==(const Font &, const Font &) = default;

    std::string marker() const
    {
        std::string out;
        auto add = [&out](bool on, const char *name) {
            if (on)
                out += (out.empty() ? "" : ",") + std::string(name);
        };
        add(fontB, "fontB");
        add(bold, "bold");
        add(underline, "underline");
        add(doubleWidth, "dw");
        add(doubleHeight, "dh");
        add(reverse, "reverse");
        return "{" + out + "}";
    }
};

const char *symbologyName(int m)
{
    // clang-format off
    static const std::map<int, const char *> kNames = {
        {0, "UPC-A"},  {1, "UPC-E"},  {2, "EAN13"},   {3, "EAN8"},    {4, "CODE39"},   {5, "ITF"},
        {6, "CODABAR"}, {65, "UPC-A"}, {66, "UPC-E"}, {67, "EAN13"},  {68, "EAN8"},    {69, "CODE39"},
        {70, "ITF"},   {71, "CODABAR"}, {72, "CODE93"}, {73, "CODE128"}, {74, "GS1-128"}, {75, "GS1-DATABAR"},
        {76, "GS1-DATABAR-TRUNCATED"}, {77, "GS1-DATABAR-LIMITED"}, {78, "GS1-DATABAR-EXPANDED"},
        {79, "CODE128-AUTO"},
    };
    // clang-format on
    const auto found = kNames.find(m);
    return found == kNames.end() ? nullptr : found->second;
}

class Decoder {
  public:
    explicit Decoder(std::string_view bytes) : b_(bytes) {}

    EscPosReceipt run()
    {
        while (pos_ < b_.size()) {
            start_ = pos_;
            step();
            list();
        }
        endPicture();
        if (lineStarted_)
            emit("unfed: " + line_);
        return std::move(r_);
    }

    // The bytes one command a line: hexadecimal, then its name; a run of
    // printed characters is one line.
    std::string listing()
    {
        run();
        return listing_;
    }

  private:
    void step()
    {
        const auto c = u8();
        if (c >= 0x20) {
            printChar(c);
            return;
        }
        switch (c) {
        case 0x0A:
            lineFeed();
            break;
        case 0x0D: // ignored: the printers feed on LF only
            break;
        case 0x0C:
            endPictureAndLine();
            emit(pageMode_ ? "page print, standard mode" : "form feed");
            pageMode_ = false;
            break;
        case 0x1B:
            esc();
            break;
        case 0x1D:
            gs();
            break;
        case 0x1C:
            fs();
            break;
        default:
            fail("unknown control byte");
        }
    }

    void list()
    {
        static const std::map<unsigned char, const char *> kControls = {
            {0x0A, "LF"}, {0x0C, "FF"}, {0x0D, "CR"}, {0x1B, "ESC"}, {0x1C, "FS"}, {0x1D, "GS"}};
        static const std::string kText = " ; text\n";
        const std::string_view command = b_.substr(start_, pos_ - start_);
        const auto first = static_cast<unsigned char>(command[0]);
        std::string hex;
        for (unsigned char b : command)
            hex += (hex.empty() ? "" : " ") + hexByte(b).substr(2);
        if (first >= 0x20) {
            if (textRun_)
                listing_.insert(listing_.size() - kText.size(), " " + hex);
            else
                listing_ += hex + kText;
            textRun_ = true;
            return;
        }
        textRun_ = false;
        std::string name = kControls.at(first);
        // ESC, GS and FS are named with the letter after them, and the
        // function letter too for GS ( k, GS 8 L, ESC ( A.
        const std::size_t named = command.size() > 2 && (command[1] == '(' || command[1] == '8') ? 3 : 2;
        for (std::size_t i = 1; first >= 0x1B && i < std::min(named, command.size()); ++i) {
            const auto ch = static_cast<unsigned char>(command[i]);
            name += " " +
                    (ch >= 0x20 && ch < 0x7F ? std::string(1, static_cast<char>(ch)) : hexByte(ch).substr(2));
        }
        listing_ += hex + " ; " + name + "\n";
    }
    [[noreturn]] void fail(const std::string &why) const
    {
        std::string seen = readable(b_.substr(start_, std::min<std::size_t>(pos_ - start_ + 1, 16)));
        throw std::runtime_error("ESC/POS byte " + std::to_string(start_) + " (" + seen + "): " + why);
    }
    void need(std::size_t n) const
    {
        if (b_.size() - pos_ < n)
            fail("the command runs past the end of the bytes");
    }
    unsigned u8()
    {
        need(1);
        return static_cast<unsigned char>(b_[pos_++]);
    }
    unsigned le2()
    {
        const unsigned lo = u8();
        return lo | u8() << 8;
    }
    std::string_view take(std::size_t n)
    {
        need(n);
        const std::string_view out = b_.substr(pos_, n);
        pos_ += n;
        return out;
    }
    static bool in(unsigned v, std::initializer_list<unsigned> allowed)
    {
        for (unsigned a : allowed)
            if (v == a)
                return true;
        return false;
    }
    void emit(const std::string &line) { r_.lines.push_back(line); }

    void printChar(unsigned c)
    {
        endPicture();
        const char *page = codePageName(codePage_);
        if (page == nullptr)
            fail("text in code page " + std::to_string(codePage_) + ", which the decoder does not know");
        if (line_.empty() && !lineStarted_) {
            lineStarted_ = true;
            lineAlign_ = align_;
            lineFont_ = Font{};
        }
        if (!(font_ == lineFont_)) {
            line_ += font_.marker();
            lineFont_ = font_;
        }
        line_ += c < 0x80 ? std::string(1, static_cast<char>(c)) : codePageTable(codePage_)[c];
    }

    void flushLine()
    {
        static const char *kAlign[] = {"text:", "text[center]:", "text[right]:"};
        emit(std::string(kAlign[lineStarted_ ? lineAlign_ : 0]) + (line_.empty() ? "" : " " + line_));
        line_.clear();
        lineStarted_ = false;
    }

    void lineFeed()
    {
        // The feed that ends each band of a column picture prints no text.
        if (columnsOpen_ && !lineStarted_)
            return;
        endPicture();
        flushLine();
    }

    void endPicture()
    {
        if (!columnsOpen_)
            return;
        columnsOpen_ = false;
        emit("picture columns " + std::to_string(columns_.width) + "x" + std::to_string(columns_.height));
        r_.pictures.push_back(std::move(columns_));
        columns_ = {};
    }

    // Commands that print or act end a pending column picture; a pending text
    // line is printed first, as the printers do before acting.
    void endPictureAndLine()
    {
        endPicture();
        if (lineStarted_)
            flushLine();
    }

    void reset()
    {
        font_ = {};
        align_ = 0;
        codePage_ = 0;
        barWidth_ = 3;
        barHeight_ = 162;
        hri_ = 0;
        pageMode_ = false;
    }

    void esc()
    {
        const auto c = u8();
        switch (c) {
        case '@':
            endPictureAndLine();
            reset();
            emit("init");
            break;
        case '!': {
            const auto n = u8();
            font_.fontB = (n & 0x01) != 0;
            font_.bold = (n & 0x08) != 0;
            font_.doubleHeight = (n & 0x10) != 0;
            font_.doubleWidth = (n & 0x20) != 0;
            font_.underline = (n & 0x80) != 0;
            break;
        }
        case 'E':
            font_.bold = (u8() & 1) != 0;
            break;
        case '-': {
            const auto n = u8();
            if (!in(n, {0, 1, 2, 48, 49, 50}))
                fail("bad underline mode");
            font_.underline = n % 48 != 0;
            break;
        }
        case 'M': {
            const auto n = u8();
            if (!in(n, {0, 1, 2, 48, 49, 50}))
                fail("bad font");
            font_.fontB = n % 48 == 1;
            break;
        }
        case '2':
            break;
        case '3':
            u8();
            break;
        case 'a': {
            const auto n = u8();
            if (!in(n, {0, 1, 2, 48, 49, 50}))
                fail("bad justification");
            align_ = static_cast<int>(n % 48);
            break;
        }
        case 't':
            codePage_ = static_cast<int>(u8());
            emit("code page " + std::to_string(codePage_));
            break;
        case 'p': {
            endPictureAndLine();
            const auto m = u8();
            if (!in(m, {0, 1, 48, 49}))
                fail("bad drawer pin");
            const auto on = u8();
            const auto off = u8();
            emit("drawer " + std::to_string(m % 48) + " on=" + std::to_string(on) +
                 " off=" + std::to_string(off));
            break;
        }
        case 'd':
            endPictureAndLine();
            emit("feed " + std::to_string(u8()) + " lines");
            break;
        case 'J':
            endPictureAndLine();
            emit("feed " + std::to_string(u8()) + " dots");
            break;
        case '*':
            bitImage();
            break;
        case '(': {
            if (u8() != 'A')
                fail("unknown ESC ( function");
            take(le2());
            endPictureAndLine();
            emit("beep");
            break;
        }
        case 'L':
            endPictureAndLine();
            pageMode_ = true;
            emit("page mode");
            break;
        case 'S':
            endPictureAndLine();
            pageMode_ = false;
            emit("standard mode");
            break;
        case 'T': {
            const auto n = u8();
            if (!in(n, {0, 1, 2, 3, 48, 49, 50, 51}))
                fail("bad print direction");
            emit("page direction " + std::to_string(n % 48));
            break;
        }
        case 'W': {
            const auto x = le2();
            const auto y = le2();
            const auto w = le2();
            const auto h = le2();
            emit("page region x=" + std::to_string(x) + " y=" + std::to_string(y) +
                 " w=" + std::to_string(w) + " h=" + std::to_string(h));
            break;
        }
        case '$':
            emit("position x=" + std::to_string(le2()));
            break;
        case 0x0C:
            endPictureAndLine();
            emit("page print");
            break;
        default:
            fail("unknown ESC command");
        }
    }

    // ESC * m nL nH: one band of 8 or 24 dots, column by column.
    void bitImage()
    {
        const auto m = u8();
        if (!in(m, {0, 1, 32, 33}))
            fail("bad bit-image mode");
        const std::size_t k = m < 32 ? 1 : 3;
        const auto width = static_cast<int>(le2());
        const std::string_view data = take(static_cast<std::size_t>(width) * k);
        if (lineStarted_)
            fail("a bit image after text on the same line");
        if (columnsOpen_ && columns_.width != width)
            endPicture();
        if (!columnsOpen_) {
            columnsOpen_ = true;
            columns_ = {width, 0, {}};
        }
        const auto top = columns_.rows.size();
        columns_.rows.resize(top + 8 * k, std::string(static_cast<std::size_t>(width), '0'));
        for (std::size_t col = 0; col < static_cast<std::size_t>(width); ++col)
            for (std::size_t byte = 0; byte < k; ++byte)
                for (std::size_t bit = 0; bit < 8; ++bit)
                    if ((static_cast<unsigned char>(data[col * k + byte]) & (0x80 >> bit)) != 0)
                        columns_.rows[top + byte * 8 + bit][col] = '1';
        columns_.height = static_cast<int>(columns_.rows.size());
    }

    void gs()
    {
        const auto c = u8();
        switch (c) {
        case '!': {
            const auto n = u8();
            font_.doubleWidth = (n & 0x70) != 0;
            font_.doubleHeight = (n & 0x07) != 0;
            break;
        }
        case 'B':
            font_.reverse = (u8() & 1) != 0;
            break;
        case 'V': {
            endPictureAndLine();
            const auto m = u8();
            if (in(m, {0, 48}))
                emit("cut full");
            else if (in(m, {1, 49}))
                emit("cut partial");
            else if (in(m, {65, 66}))
                emit(std::string(m == 65 ? "cut full" : "cut partial") + " after " + std::to_string(u8()) +
                     " dots");
            else
                fail("bad cut mode");
            break;
        }
        case 'w':
            barWidth_ = static_cast<int>(u8());
            if (barWidth_ < 1 || barWidth_ > 6)
                fail("bad barcode width");
            break;
        case 'h':
            barHeight_ = static_cast<int>(u8());
            if (barHeight_ < 1)
                fail("bad barcode height");
            break;
        case 'H': {
            const auto n = u8();
            if (!in(n, {0, 1, 2, 3, 48, 49, 50, 51}))
                fail("bad barcode text position");
            hri_ = static_cast<int>(n % 48);
            break;
        }
        case 'k':
            barcode();
            break;
        case '(': {
            const auto fn = u8();
            if (fn == 'k')
                qrFunction(take(le2()));
            else if (fn == 'L')
                graphicsFunction(take(le2()));
            else
                fail("unknown GS ( function");
            break;
        }
        case '8': {
            if (u8() != 'L')
                fail("unknown GS 8 function");
            const std::size_t lo = le2();
            const std::size_t hi = le2();
            graphicsFunction(take(lo | hi << 16));
            break;
        }
        case '$':
            emit("position y=" + std::to_string(le2()));
            break;
        default:
            fail("unknown GS command");
        }
    }

    void barcode()
    {
        endPictureAndLine();
        const auto m = u8();
        const char *name = symbologyName(static_cast<int>(m));
        if (name == nullptr)
            fail("unknown barcode system");
        std::string_view data;
        if (m <= 6) {
            const std::size_t end = b_.find('\0', pos_);
            if (end == std::string_view::npos)
                fail("barcode data without its NUL");
            data = take(end - pos_);
            ++pos_;
        } else {
            data = take(u8());
        }
        if (m == 73 && (data.size() < 2 || data[0] != '{' || data[1] < 'A' || data[1] > 'C'))
            fail("Code 128 data must start with a code set ({A, {B or {C)");
        emit(std::string("barcode ") + name + " w=" + std::to_string(barWidth_) +
             " h=" + std::to_string(barHeight_) + " hri=" + std::to_string(hri_) + " data=" + readable(data));
    }

    void qrFunction(std::string_view p)
    {
        if (p.size() < 2 || static_cast<unsigned char>(p[0]) != 49)
            fail("GS ( k for a symbol other than QR");
        const auto fn = static_cast<unsigned char>(p[1]);
        const auto arg = [&](std::size_t i) { return static_cast<unsigned char>(p[i]); };
        switch (fn) {
        case 65:
            if (p.size() != 4 || !in(arg(2), {49, 50, 51}))
                fail("bad QR model");
            qr_.model = arg(2) - 48;
            break;
        case 67:
            if (p.size() != 3 || arg(2) < 1 || arg(2) > 16)
                fail("bad QR module size");
            qr_.moduleSize = arg(2);
            break;
        case 69:
            if (p.size() != 3 || arg(2) < 48 || arg(2) > 51)
                fail("bad QR error level");
            qr_.level = "LMQH"[arg(2) - 48];
            break;
        case 80:
            if (p.size() < 3 || arg(2) != 48)
                fail("bad QR store");
            qr_.data = std::string(p.substr(3));
            qrStored_ = true;
            break;
        case 81:
            if (p.size() != 3 || arg(2) != 48)
                fail("bad QR print");
            if (!qrStored_)
                fail("QR print without stored data");
            endPictureAndLine();
            emit("qr model=" + std::to_string(qr_.model) + " module=" + std::to_string(qr_.moduleSize) +
                 " level=" + qr_.level + " data=" + readable(qr_.data));
            r_.qrCodes.push_back(qr_);
            break;
        default:
            fail("unknown QR function");
        }
    }

    static EscPosPicture rasterPicture(std::string_view data, int width, int height)
    {
        EscPosPicture picture{width, height, {}};
        const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
        for (int y = 0; y < height; ++y) {
            std::string row(static_cast<std::size_t>(width), '0');
            for (std::size_t x = 0; x < row.size(); ++x)
                if ((static_cast<unsigned char>(data[static_cast<std::size_t>(y) * rowBytes + x / 8]) &
                     (0x80 >> (x % 8))) != 0)
                    row[x] = '1';
            picture.rows.push_back(std::move(row));
        }
        return picture;
    }

    void graphicsFunction(std::string_view p)
    {
        if (p.size() < 2 || !in(static_cast<unsigned char>(p[0]), {48}))
            fail("bad GS ( L block");
        const auto fn = static_cast<unsigned char>(p[1]);
        const auto arg = [&](std::size_t i) {
            return static_cast<unsigned>(static_cast<unsigned char>(p[i]));
        };
        const auto word = [&](std::size_t i) { return static_cast<int>(arg(i) | arg(i + 1) << 8); };
        switch (fn) {
        case 112: { // store a raster picture: a bx by c xL xH yL yH data
            if (p.size() < 10 || arg(2) != 48 || !in(arg(3), {1, 2}) || !in(arg(4), {1, 2}) || arg(5) != 49)
                fail("bad raster picture header");
            const int width = word(6);
            const int height = word(8);
            const std::size_t size =
                (static_cast<std::size_t>(width) + 7) / 8 * static_cast<std::size_t>(height);
            if (width < 1 || height < 1 || p.size() - 10 != size)
                fail("raster picture data does not match its size");
            graphics_ = rasterPicture(p.substr(10), width, height);
            graphicsStored_ = true;
            break;
        }
        case 50:
        case 2:
            if (p.size() != 2)
                fail("bad print-graphics block");
            if (!graphicsStored_)
                fail("print of graphics never stored");
            endPictureAndLine();
            emit("picture raster " + std::to_string(graphics_.width) + "x" +
                 std::to_string(graphics_.height));
            r_.pictures.push_back(graphics_);
            break;
        case 69:
            if (p.size() != 6)
                fail("bad stored-logo print");
            endPictureAndLine();
            emit("logo key=" + readable(p.substr(2, 2)) + " x" + std::to_string(arg(4)) + " y" +
                 std::to_string(arg(5)));
            break;
        case 67: { // define a stored logo: a kc1 kc2 b xL xH yL yH c data
            if (p.size() < 11 || arg(2) != 48 || arg(5) != 1 || arg(10) != 49)
                fail("bad stored-logo header");
            const int width = word(6);
            const int height = word(8);
            const std::size_t size =
                (static_cast<std::size_t>(width) + 7) / 8 * static_cast<std::size_t>(height);
            if (p.size() - 11 != size)
                fail("stored-logo data does not match its size");
            emit("store logo key=" + readable(p.substr(3, 2)) + " " + std::to_string(width) + "x" +
                 std::to_string(height));
            break;
        }
        case 66:
            if (p.size() != 4)
                fail("bad stored-logo erase");
            emit("erase logo key=" + readable(p.substr(2, 2)));
            break;
        default:
            fail("unknown graphics function");
        }
    }

    void fs()
    {
        const auto c = u8();
        if (c == 'p') {
            endPictureAndLine();
            const auto n = u8();
            const auto m = u8();
            if (n < 1 || !in(m, {0, 1, 2, 3, 48, 49, 50, 51}))
                fail("bad legacy logo print");
            emit("legacy logo " + std::to_string(n) + " mode " + std::to_string(m % 48));
            return;
        }
        if (c == 'q') {
            const auto n = u8();
            for (unsigned i = 0; i < n; ++i) {
                const auto x = le2();
                const auto y = le2();
                if (x < 1 || x > 1023 || y < 1 || y > 288)
                    fail("bad legacy logo size");
                take(static_cast<std::size_t>(x) * y * 8);
                emit("store legacy logo " + std::to_string(i + 1) + " " + std::to_string(x * 8) + "x" +
                     std::to_string(y * 8));
            }
            return;
        }
        fail("unknown FS command");
    }

    std::string_view b_;
    std::string listing_;
    bool textRun_ = false;
    std::size_t pos_ = 0;
    std::size_t start_ = 0;
    EscPosReceipt r_;

    Font font_;
    int align_ = 0;
    int codePage_ = 0;
    bool pageMode_ = false;
    std::string line_;
    bool lineStarted_ = false;
    int lineAlign_ = 0;
    Font lineFont_;

    int barWidth_ = 3;
    int barHeight_ = 162;
    int hri_ = 0;
    EscPosQrSymbol qr_;
    bool qrStored_ = false;
    EscPosPicture graphics_;
    bool graphicsStored_ = false;
    EscPosPicture columns_;
    bool columnsOpen_ = false;
};

} // namespace

std::string EscPosPicture::toPbm(int margin) const
{
    const auto w = static_cast<std::size_t>(width + 2 * margin);
    std::string pbm = "P1\n" + std::to_string(w) + " " + std::to_string(height + 2 * margin) + "\n";
    const std::string blank(w, '0');
    for (int i = 0; i < margin; ++i)
        pbm += blank + "\n";
    const std::string side(static_cast<std::size_t>(margin), '0');
    for (const std::string &row : rows)
        pbm += side + row + side + "\n";
    for (int i = 0; i < margin; ++i)
        pbm += blank + "\n";
    return pbm;
}

EscPosPicture EscPosQrSymbol::draw() const
{
    if (model != 2)
        throw std::runtime_error("only model 2 QR symbols can be drawn");
    static const std::map<char, QRecLevel> kLevels = {
        {'L', QR_ECLEVEL_L}, {'M', QR_ECLEVEL_M}, {'Q', QR_ECLEVEL_Q}, {'H', QR_ECLEVEL_H}};
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(static_cast<int>(data.size()), reinterpret_cast<const unsigned char *>(data.data()),
                          0, kLevels.at(level)),
        &QRcode_free);
    if (!code)
        throw std::runtime_error("libqrencode refused the QR data");
    constexpr int kQuiet = 4;
    const int modules = code->width + 2 * kQuiet;
    EscPosPicture picture{modules * moduleSize, modules * moduleSize, {}};
    for (int my = 0; my < modules; ++my) {
        std::string row;
        for (int mx = 0; mx < modules; ++mx) {
            const int x = mx - kQuiet;
            const int y = my - kQuiet;
            const bool dark = x >= 0 && y >= 0 && x < code->width && y < code->width &&
                              (code->data[y * code->width + x] & 1) != 0;
            row.append(static_cast<std::size_t>(moduleSize), dark ? '1' : '0');
        }
        for (int i = 0; i < moduleSize; ++i)
            picture.rows.push_back(row);
    }
    return picture;
}

std::string EscPosReceipt::text() const
{
    std::string out;
    for (const std::string &line : lines)
        out += line + "\n";
    return out;
}

EscPosReceipt decodeEscPos(std::string_view bytes)
{
    return Decoder(bytes).run();
}

std::string escPosListing(std::string_view bytes)
{
    return Decoder(bytes).listing();
}

namespace {

// Reads one family's QR command byte by byte.
class QrCursor {
  public:
    explicit QrCursor(std::string_view b) : b_(b) {}
    unsigned u8()
    {
        if (pos_ >= b_.size())
            fail("the QR command runs past the end of the bytes");
        return static_cast<unsigned char>(b_[pos_++]);
    }
    unsigned le2()
    {
        const unsigned lo = u8();
        return lo | u8() << 8;
    }
    std::string take(std::size_t n)
    {
        if (b_.size() - pos_ < n)
            fail("the QR data runs past the end of the bytes");
        std::string out(b_.substr(pos_, n));
        pos_ += n;
        return out;
    }
    void expect(std::string_view bytes)
    {
        if (take(bytes.size()) != bytes)
            fail("unexpected bytes in the QR command");
    }
    void end() const
    {
        if (pos_ != b_.size())
            fail("bytes left after the QR command");
    }
    bool atEnd() const { return pos_ == b_.size(); }
    [[noreturn]] void fail(const std::string &why) const
    {
        throw std::runtime_error("QR byte " + std::to_string(pos_) + ": " + why);
    }

  private:
    std::string_view b_;
    std::size_t pos_ = 0;
};

char levelOf(unsigned n, unsigned base, const QrCursor &c)
{
    if (n < base || n > base + 3)
        c.fail("bad QR error level");
    return "LMQH"[n - base];
}

// A level given as its letter.
char letterLevel(unsigned letter, const QrCursor &c)
{
    const std::string_view letters = "LMQH";
    const std::size_t at = letters.find(static_cast<char>(letter));
    return levelOf(at == std::string_view::npos ? 9 : static_cast<unsigned>(at), 0, c);
}

// GS ( k or ESC ( k, function by function, up to the print function.
EscPosQrSymbol qrFunctions(QrCursor &c, std::string_view prefix, std::string_view family)
{
    EscPosQrSymbol qr;
    const bool custom = family == "EscCustomPos";
    bool stored = false;
    for (;;) {
        c.expect(prefix);
        const std::string p = c.take(c.le2());
        if (p.size() < 3 || p[0] != '1')
            c.fail("QR function of another symbol");
        const auto arg = static_cast<unsigned char>(p[2]);
        switch (p[1]) {
        case 'A': // model: 1 or 2 (CustomPos: 1 model 1, 0 model 2; Sunmi: 0 0, model 2)
            if (custom)
                qr.model = arg == 1 ? 1 : 2;
            else if (family == "EscSunmi" && p == std::string("1A\0\0", 4))
                qr.model = 2;
            else if (p.size() == 4 && (arg == '1' || arg == '2'))
                qr.model = arg - '0';
            else
                c.fail("bad QR model");
            break;
        case 'B': // CustomPos: module size; Diebold: alignment
            if (custom)
                qr.moduleSize = arg;
            else if (family != "EscDiebold" || (arg != '0' && arg != '1'))
                c.fail("bad QR function B");
            break;
        case 'C':
            qr.moduleSize = arg;
            break;
        case 'E':
            qr.level = levelOf(arg, custom ? 0 : '0', c);
            break;
        case 'P':
            if (p[2] != (custom ? '1' : '0'))
                c.fail("bad QR store area");
            qr.data = p.substr(3);
            stored = true;
            break;
        case 'Q':
            if (p.size() != 3 || p[2] != (custom ? '1' : '0') || !stored)
                c.fail("bad QR print");
            c.end();
            if (qr.moduleSize < 1 || qr.moduleSize > 16)
                c.fail("bad QR module size");
            return qr;
        default:
            c.fail("unknown QR function");
        }
    }
}

} // namespace

EscPosQrSymbol decodeQrCommand(std::string_view bytes, std::string_view family)
{
    QrCursor c(bytes);
    EscPosQrSymbol qr;
    if (family == "EscBematech") {
        c.expect("\x1D\x6B\x51");
        qr.level = levelOf(c.u8(), 0, c);
        qr.moduleSize = static_cast<int>(c.u8()) / 2; // the size byte counts half modules
        c.expect(std::string_view("\x00\x01", 2));
        qr.data = c.take(c.le2());
    } else if (family == "EscElgin") {
        c.expect(std::string_view("\x1D\x6F\x00", 3));
        qr.moduleSize = static_cast<int>(c.u8());
        c.expect(std::string_view("\x00", 1));
        qr.model = static_cast<int>(c.u8());
        c.expect("\x1D\x6B\x0B");
        const unsigned level = c.u8();
        qr.level = levelOf(level == 'L'   ? 0
                           : level == 'M' ? 1
                           : level == 'Q' ? 2
                           : level == 'H' ? 3
                                          : 9,
                           0, c);
        c.expect("A,");
        for (unsigned ch = c.u8(); ch != 0; ch = c.u8())
            qr.data.push_back(static_cast<char>(ch));
    } else if (family == "EscDaruma") {
        c.expect("\x1B\x81");
        const unsigned n = c.le2();
        if (n < 2)
            c.fail("Daruma QR without module and level");
        qr.moduleSize = static_cast<int>(c.u8());
        const unsigned level = c.u8();
        // Level 0 leaves the choice to the printer; it draws M.
        qr.level = level == 0 ? 'M'
                              : levelOf(level == 'M'   ? 1
                                        : level == 'Q' ? 2
                                        : level == 'H' ? 3
                                                       : 9,
                                        0, c);
        qr.data = c.take(n - 2);
    } else if (family == "EscZJiang") {
        c.expect(std::string_view("\x1B\x5A\x00", 3));
        const unsigned level = c.u8();
        qr.level = levelOf(level == 'L'   ? 0
                           : level == 'M' ? 1
                           : level == 'Q' ? 2
                           : level == 'H' ? 3
                                          : 9,
                           0, c);
        qr.moduleSize = static_cast<int>(c.u8());
        qr.data = c.take(c.le2());
    } else if (family == "EscDatecs") {
        c.expect(std::string_view("\x1D\x53\x00\x1D\x51\x06", 6));
        qr.moduleSize = static_cast<int>(c.u8());
        qr.level = levelOf(c.u8(), 1, c);
        qr.data = c.take(c.le2());
    } else if (family == "EscDiebold") {
        return qrFunctions(c, "\x1B(k", family);
    } else {
        return qrFunctions(c, "\x1D(k", family);
    }
    c.end();
    return qr;
}

std::string scanPicture(const std::string &pbm)
{
    const TempDir dir;
    const auto file = dir.write("picture.pbm", pbm);
    const auto result = runCommand({"zbarimg", "-q", "--raw", "-Sbinary", file.string()});
    std::string payload = result.exitCode == 0 ? result.out : std::string();
    if (!payload.empty() && payload.back() == '\n')
        payload.pop_back();
    return payload;
}

} // namespace testsupport
