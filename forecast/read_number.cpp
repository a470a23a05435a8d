#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "forecast.h"

namespace forecast {
namespace {

// One character of the text as the number reader sees it: its ASCII twin
// among the characters a number is made of ('\0' for any other character) and
// how many bytes it takes.
struct Symbol {
    char ascii;
    std::size_t width;
};

bool StartsWith(std::string_view text, std::size_t pos, std::string_view bytes) {
    return text.substr(pos, bytes.size()) == bytes;
}

// Full-width forms share the lead bytes EF BC or EF BD; their last byte tells
// them apart.
char FullWidthTwin(unsigned char lead2, unsigned char last) {
    if (lead2 == 0xBC) {
        if (last >= 0x90 && last <= 0x99) return static_cast<char>('0' + (last - 0x90));
        switch (last) {
            case 0x8B: return '+';
            case 0x8C: return ',';
            case 0x8D: return '-';
            case 0x8E: return '.';
            case 0xA5: return 'E';
            default: return '\0';
        }
    }
    if (lead2 == 0xBD && last == 0x85) return 'e';
    return '\0';
}

Symbol SymbolAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return {'\0', 0};
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) return {static_cast<char>(byte), 1};
    if (byte == 0xEF && pos + 2 < text.size()) {
        const char twin = FullWidthTwin(static_cast<unsigned char>(text[pos + 1]),
                                        static_cast<unsigned char>(text[pos + 2]));
        return {twin, twin == '\0' ? 1U : 3U};
    }
    if (StartsWith(text, pos, "\u2212")) return {'-', 3};
    return {'\0', 1};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            pos += 1;
        } else if (StartsWith(text, pos, "\u00A0")) {
            pos += 2;
        } else if (StartsWith(text, pos, "\u3000")) {
            pos += 3;
        } else {
            break;
        }
    }
    return pos;
}

// The number at the start of a text, rewritten in plain ASCII for
// std::from_chars: digits without leading zeros, '.', the exponent.
struct Scanned {
    bool negative = false;
    bool has_digits = false;
    std::string ascii;
    std::int64_t int_digits = 0;         // significant digits before the point
    std::int64_t fraction_zeros = 0;     // zeros right after the point
    std::int64_t exponent = 0;           // saturated far beyond the double range
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text), pos_(SkipBlanks(text)) {}

    Scanned Scan() {
        if (Peek().ascii == '+' || Peek().ascii == '-') {
            out_.negative = Peek().ascii == '-';
            Advance();
        }
        ScanIntegerPart();
        ScanFraction();
        if (out_.has_digits) ScanExponent();
        return std::move(out_);
    }

private:
    Symbol Peek() const { return SymbolAt(text_, pos_); }
    void Advance() { pos_ += Peek().width; }

    // A comma groups thousands only when exactly three digits follow it.
    bool AtGroupingComma() const {
        Symbol s = Peek();
        if (s.ascii != ',') return false;
        std::size_t pos = pos_ + s.width;
        for (int i = 0; i < 3; ++i) {
            s = SymbolAt(text_, pos);
            if (!IsDigit(s.ascii)) return false;
            pos += s.width;
        }
        return !IsDigit(SymbolAt(text_, pos).ascii);
    }

    void ScanIntegerPart() {
        while (true) {
            const char c = Peek().ascii;
            if (IsDigit(c)) {
                out_.has_digits = true;
                if (c != '0' || out_.int_digits > 0) {
                    out_.ascii.push_back(c);
                    ++out_.int_digits;
                }
                Advance();
            } else if (out_.has_digits && AtGroupingComma()) {
                Advance();
            } else {
                break;
            }
        }
        if (out_.int_digits == 0) out_.ascii.push_back('0');
    }

    void ScanFraction() {
        if (Peek().ascii != '.') return;
        Advance();
        out_.ascii.push_back('.');
        bool nonzero_seen = false;
        while (IsDigit(Peek().ascii)) {
            const char c = Peek().ascii;
            out_.has_digits = true;
            if (c != '0') nonzero_seen = true;
            if (!nonzero_seen) ++out_.fraction_zeros;
            out_.ascii.push_back(c);
            Advance();
        }
    }

    void ScanExponent() {
        const Symbol e = Peek();
        if (e.ascii != 'e' && e.ascii != 'E') return;
        std::size_t pos = pos_ + e.width;
        bool negative = false;
        Symbol s = SymbolAt(text_, pos);
        if (s.ascii == '+' || s.ascii == '-') {
            negative = s.ascii == '-';
            pos += s.width;
            s = SymbolAt(text_, pos);
        }
        if (!IsDigit(s.ascii)) return;  // "12e" and "12e+" end before the e
        out_.ascii.push_back('e');
        if (negative) out_.ascii.push_back('-');
        constexpr std::int64_t kSaturated = 1'000'000'000;
        std::int64_t exponent = 0;
        for (; IsDigit(s.ascii); s = SymbolAt(text_, pos)) {
            out_.ascii.push_back(s.ascii);
            exponent = std::min(kSaturated, exponent * 10 + (s.ascii - '0'));
            pos += s.width;
        }
        out_.exponent = negative ? -exponent : exponent;
        pos_ = pos;
    }

    std::string_view text_;
    std::size_t pos_;
    Scanned out_;
};

// std::from_chars reports both overflow and underflow as out of range; the
// decimal magnitude of the digits tells which of the two it was.
bool TooLarge(const Scanned& number) {
    const std::int64_t magnitude = number.int_digits > 0
                                       ? number.int_digits + number.exponent
                                       : number.exponent - number.fraction_zeros;
    return magnitude > 0;
}

// Plain ASCII numbers, by far the most common entries, go straight to
// std::from_chars. Its grammar is ours for them as long as the text cannot
// be mistaken for inf or nan and nothing after the number could continue it:
// a grouping comma, an exponent in full-width digits, any non-ASCII form.
std::optional<double> ReadPlainNumber(std::string_view text) {
    const std::size_t start = SkipBlanks(text);
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const char* digits = first < last && *first == '-' ? first + 1 : first;
    if (digits == last || !(IsDigit(*digits) || *digits == '.')) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc{}) return std::nullopt;
    if (end != last && (*end == ',' || *end == 'e' || *end == 'E' ||
                        static_cast<unsigned char>(*end) >= 0x80)) {
        return std::nullopt;
    }
    return value + 0.0;  // + 0.0 turns -0 into 0
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
    if (const std::optional<double> plain = ReadPlainNumber(text)) return plain;
    const Scanned number = Scanner(text).Scan();
    if (!number.has_digits) return 0.0;
    double value = 0.0;
    const char* first = number.ascii.data();
    const auto [end, error] = std::from_chars(first, first + number.ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (TooLarge(number)) return std::nullopt;
        return 0.0;
    }
    return (number.negative ? -value : value) + 0.0;  // + 0.0 turns -0 into 0
}

}  // namespace forecast
