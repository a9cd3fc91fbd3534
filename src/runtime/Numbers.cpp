// SPDX-License-Identifier: MIT
#include "Numbers.h"

#include "RuntimeError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <version>

#if !__cpp_lib_to_chars
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#endif

namespace rt {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t skipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

struct NumberFormat {
    char decimalSeparator;
    char groupSeparator;   // '\0' when whole numbers are not grouped
};

constexpr NumberFormat GermanFormat{',', '.'};   // 1.234,5
constexpr NumberFormat PlainFormat{'.', '\0'};   // 1234.5

// End of groups of three digits behind a first group, as in 12.345.678.
std::size_t skipDigitGroups(std::string_view text, std::size_t pos, char separator)
{
    while (pos + 3 < text.size() && text[pos] == separator && isDigit(text[pos + 1]) && isDigit(text[pos + 2])
           && isDigit(text[pos + 3]) && (pos + 4 == text.size() || !isDigit(text[pos + 4])))
        pos += 4;
    return pos;
}

// Length of the number at the start of `text`: [sign] digits [groups]
// [sep digits] [E|D [sign] digits], with at least one mantissa digit. 0 when
// there is none.
std::size_t numberLength(std::string_view text, NumberFormat format)
{
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t intStart = pos;
    pos = skipDigits(text, pos);
    std::size_t mantissaDigits = pos - intStart;
    if (format.groupSeparator != '\0' && mantissaDigits >= 1 && mantissaDigits <= 3)
        pos = skipDigitGroups(text, pos, format.groupSeparator);
    const char decimalSeparator = format.decimalSeparator;
    if (pos < text.size() && text[pos] == decimalSeparator) {
        const std::size_t fracStart = pos + 1;
        const std::size_t fracEnd = skipDigits(text, fracStart);
        mantissaDigits += fracEnd - fracStart;
        pos = fracEnd;
    }
    if (mantissaDigits == 0)
        return 0;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        std::size_t expPos = pos + 1;
        if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-'))
            ++expPos;
        const std::size_t expEnd = skipDigits(text, expPos);
        if (expEnd > expPos)
            pos = expEnd;
    }
    return pos;
}

// A C++ library without floating-point to_chars and from_chars (the browser
// build's) takes the C library's conversions instead. That C library knows
// only the "C" locale, so they read and write "." like the ones above, and
// "%.*g" rounds to the same shortest text of the given digits.
#if __cpp_lib_to_chars
std::string generalText(double value, int digits)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    return std::string(buffer.data(), result.ptr);
}

// Unsigned decimal text with "." and E; false when out of range.
bool parseDecimal(const char* first, const char* last, double& value)
{
    const auto result = std::from_chars(first, last, value);
    return result.ec != std::errc::result_out_of_range;
}
#else
std::string generalText(double value, int digits)
{
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*g", digits, value);
    return std::string(buffer.data(), std::size_t(length));
}

bool parseDecimal(const char* first, const char* last, double& value)
{
    const std::string text(first, last);
    errno = 0;
    const double parsed = std::strtod(text.c_str(), nullptr);
    // Out of range as from_chars sees it: nothing left or infinite. A
    // subnormal result also sets ERANGE but is a value.
    if (errno == ERANGE && (parsed == 0.0 || std::isinf(parsed)))
        return false;
    value = parsed;
    return true;
}
#endif

// Parses a number already known to be well formed; group separators go, and
// the decimal separator and the exponent letter are normalised because
// from_chars knows only "." and E. Out of range values saturate to
// +-infinity or 0.
double parseNumber(std::string_view number, NumberFormat format)
{
    std::string normalised;
    normalised.reserve(number.size());
    for (char c : number) {
        if (format.groupSeparator != '\0' && c == format.groupSeparator)
            continue;
        if (c == format.decimalSeparator)
            c = '.';
        else if (c == 'D' || c == 'd' || c == 'e')
            c = 'E';
        normalised.push_back(c);
    }
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;
    double value = 0.0;
    if (!parseDecimal(first, last, value)) {
        // Out of range leaves the value alone; decide by the exponent's sign.
        const auto e = normalised.find('E');
        const bool tiny = e != std::string::npos && e + 1 < normalised.size() && normalised[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

} // namespace

std::int16_t CInt(double x)
{
    if (std::isnan(x))
        raiseRuntimeError(ErrorCode::Overflow);
    // Rounding to nearest with ties to even is the default floating-point mode.
    const double rounded = std::nearbyint(x);
    if (rounded < -32768.0 || rounded > 32767.0)
        raiseRuntimeError(ErrorCode::Overflow);
    return static_cast<std::int16_t>(rounded);
}

std::int16_t subtractInt16(std::int16_t a, std::int16_t b)
{
    const int difference = int{a} - int{b};
    if (difference < std::numeric_limits<std::int16_t>::min() || difference > std::numeric_limits<std::int16_t>::max())
        raiseRuntimeError(ErrorCode::Overflow);
    return static_cast<std::int16_t>(difference);
}

std::string textForm(double value, Precision precision)
{
    if (value == 0.0 || std::isnan(value))
        return " 0";
    if (std::isinf(value))
        return value > 0 ? " 1.#INF" : "-1.#INF";
    const bool single = precision == Precision::Single;
    const int digits = single ? 7 : 15;
    const double digitsLimit = single ? 1e7 : 1e15;   // 10 to the digits
    // A whole number with fewer digits than the precision, as nearly every
    // coordinate and score is, reads the same through the integer
    // conversion, which costs a press a fraction of the general one's time.
    if (std::abs(value) < digitsLimit && std::trunc(value) == value) {
        std::array<char, 24> buffer{' '};
        char* const number = buffer.data() + 1;
        const auto end = std::to_chars(number, buffer.data() + buffer.size(), std::int64_t(value)).ptr;
        return std::string(value < 0 ? number : buffer.data(), end);
    }
    std::string text = generalText(value, digits);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    return value < 0 ? text : " " + text;
}

std::int16_t textToInt16(std::string_view text)
{
    const std::string_view number = trimBlanks(text);
    const std::size_t length = numberLength(number, GermanFormat);
    if (length == 0 || length != number.size())
        raiseRuntimeError(ErrorCode::TypeMismatch);
    return CInt(parseNumber(number, GermanFormat));
}

double leadingNumber(std::string_view text)
{
    while (!text.empty() && (isBlank(text.front()) || text.front() == '\n' || text.front() == '\r'))
        text.remove_prefix(1);
    const std::size_t length = numberLength(text, PlainFormat);
    if (length == 0)
        return 0.0;
    const double value = parseNumber(text.substr(0, length), PlainFormat);
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    return value;
}

} // namespace rt
