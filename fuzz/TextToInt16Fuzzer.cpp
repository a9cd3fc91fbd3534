// Reads arbitrary text as the score box's 16-bit number, and whole numbers
// written in every form the player might type.
#include "FuzzSupport.h"

#include <string>

using namespace fuzz;

namespace {

bool hasDigit(std::string_view text)
{
    return text.find_first_of("0123456789") != std::string_view::npos;
}

void checkArbitraryText(std::string_view text)
{
    // libFuzzer hands over a buffer of exactly this size, so AddressSanitizer
    // catches any read beyond it.
    const Int16Reading reading = readInt16(text);
    if (const auto* error = std::get_if<rt::ErrorCode>(&reading))
        check(*error == rt::ErrorCode::TypeMismatch || *error == rt::ErrorCode::Overflow,
              "a failed reading is a type mismatch or an overflow", text);
    else
        check(hasDigit(text), "a number read from text has a digit", text);

    check(readInt16(TextWithDigitBehind(text).view()) == reading, "the reading stops at the end of the text", text);
    const std::string padded = " \t" + std::string(text) + "\t ";
    check(readInt16(padded) == reading, "blanks around the text change nothing", text);
}

// n in German form: "12.345" with groups, "12345" without.
std::string germanDigits(int n, bool grouped)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    if (grouped) {
        for (int at = int(digits.size()) - 3; at > 0; at -= 3)
            digits.insert(std::size_t(at), 1, '.');
    }
    return digits;
}

// A whole number, written as a player might type it, reads back as itself.
void checkWholeNumber(std::int16_t n, std::uint8_t style)
{
    const bool grouped = style & 1;
    const bool explicitPlus = style & 2;
    const bool decimalZeros = style & 4;
    const bool blanks = style & 8;
    const bool leadingZeros = (style & 16) && !grouped;

    std::string text = n < 0 ? "-" : explicitPlus ? "+" : "";
    if (leadingZeros)
        text += "00";
    text += germanDigits(n, grouped);
    if (decimalZeros)
        text += ",000";
    if (blanks)
        text = "  " + text + " ";

    const Int16Reading reading = readInt16(text);
    check(reading == Int16Reading{n}, "a whole number in German form reads back as itself", text);
    check(readInt16(rt::textForm(n)) == Int16Reading{n}, "the text form of a whole number reads back as itself",
          text);
    check(rt::leadingNumber(rt::textForm(n)) == n, "the leading number of a whole number's text form is the number",
          text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkArbitraryText(asText(data, size));
    if (size >= 3)
        checkWholeNumber(static_cast<std::int16_t>(data[0] | data[1] << 8), data[2]);
    return 0;
}
