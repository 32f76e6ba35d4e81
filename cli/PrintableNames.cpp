#include "PrintableNames.h"

namespace MyApp {

namespace {

constexpr char Hex[] = "0123456789abcdef";

// Windows names hold no control characters, so their backslashes, the path separator,
// cannot be taken for an escape and stay single.
#ifdef _WIN32
constexpr bool SeparatorOnly = true;
#else
constexpr bool SeparatorOnly = false;
#endif

std::string Escaped(const char* prefix, unsigned value, int digits) {
    std::string text = prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += Hex[(value >> shift) & 15];
    return text;
}

// The length of the well-formed UTF-8 sequence at the start of `text`, 0 if there is none.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(0);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2
                                         : lead >= 0xE0 && lead < 0xF0 ? 3
                                         : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;
    if (lead == 0xED && byte(1) >= 0xA0) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;
    return length;
}

}  // namespace

std::string Printable(std::string_view text) {
    std::string printable;
    printable.reserve(text.size());
    while (!text.empty()) {
        const unsigned c = static_cast<unsigned char>(text[0]);
        const std::size_t length = SequenceLength(text);
        if (c == '\\' && !SeparatorOnly) printable += "\\\\";
        else if (c == '\n') printable += "\\n";
        else if (c == '\r') printable += "\\r";
        else if (c == '\t') printable += "\\t";
        else if (length == 0 || c < 0x20 || c == 0x7F) printable += Escaped("\\x", c, 2);
        else if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
            printable += Escaped("\\u", static_cast<unsigned char>(text[1]), 4);
        } else {
            printable.append(text.substr(0, length));
        }
        text.remove_prefix(length == 0 ? 1 : length);
    }
    return printable;
}

std::string PrintableName(const std::filesystem::path& name) { return Printable(name.u8string()); }

}  // namespace MyApp
