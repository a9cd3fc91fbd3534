// SPDX-License-Identifier: MIT
// Reads arbitrary text as the score box's 16-bit number, and whole numbers
// written in every form the player might type.
#include "FuzzSupport.h"

#include <cmath>
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

// Half past n: the even neighbour of n + 0.5 (n - 0.5 when negative), or
// an overflow beyond the 16-bit range.
Int16Reading halfPast(int n)
{
    const double below = std::floor(n < 0 ? n - 0.5 : n + 0.5);
    const double even = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    if (even < -32768.0 || even > 32767.0)
        return rt::ErrorCode::Overflow;
    return static_cast<std::int16_t>(even);
}

// A whole number, written as a player might type it, reads back as itself;
// with ",5" behind it, as its even neighbour.
void checkWholeNumber(std::int16_t n, std::uint8_t style)
{
    const bool grouped = style & 1;
    const bool explicitPlus = style & 2;
    const bool decimalZeros = style & 4;
    const bool blanks = style & 8;
    const bool leadingZeros = (style & 16) && !grouped;

    std::string number = n < 0 ? "-" : explicitPlus ? "+" : "";
    if (leadingZeros)
        number += "00";
    number += germanDigits(n, grouped);
    const auto typed = [blanks](const std::string& text) { return blanks ? "  " + text + " " : text; };

    const std::string whole = typed(decimalZeros ? number + ",000" : number);
    check(readInt16(whole) == Int16Reading{n}, "a whole number in German form reads back as itself", whole);
    const std::string half = typed(number + (decimalZeros ? ",500" : ",5"));
    check(readInt16(half) == halfPast(n), "a half goes to the even neighbour", half);

    const std::string form = rt::textForm(n);
    check(readInt16(form) == Int16Reading{n}, "the text form of a whole number reads back as itself", form);
    check(rt::leadingNumber(form) == n, "the leading number of a whole number's text form is the number", form);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkArbitraryText(asText(data, size));
    if (size >= 3)
        checkWholeNumber(static_cast<std::int16_t>(data[0] | data[1] << 8), data[2]);
    return 0;
}
