// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Numbers.h"
#include "runtime/RuntimeError.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <variant>

// Helpers the fuzz targets share. A property that does not hold aborts the
// process; libFuzzer then reports the input and saves it as a crash.
namespace fuzz {

[[noreturn]] inline void fail(const char* property, std::string_view text)
{
    std::fprintf(stderr, "\nproperty does not hold: %s\ntext (%zu bytes): \"", property, text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02x", byte);
    }
    std::fputs("\"\n", stderr);
    std::abort();
}

inline void check(bool holds, const char* property, std::string_view text = {})
{
    if (!holds)
        fail(property, text);
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The same text, followed in memory by a digit that is not part of it: a
// reading that looks past the end of the view would take the digit in.
class TextWithDigitBehind {
public:
    explicit TextWithDigitBehind(std::string_view text) : buffer_(text) { buffer_.push_back('7'); }
    std::string_view view() const { return {buffer_.data(), buffer_.size() - 1}; }

private:
    std::string buffer_;
};

// What reading a score text gives: a number or the run-time error it raised.
using Int16Reading = std::variant<std::int16_t, rt::ErrorCode>;

inline Int16Reading readInt16(std::string_view text)
{
    try {
        return rt::textToInt16(text);
    } catch (const rt::RuntimeError& error) {
        return error.code();
    }
}

// Equal, counting two not-a-numbers as equal.
inline bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The text form's significant digits for a precision.
inline int significantDigits(rt::Precision precision)
{
    return precision == rt::Precision::Single ? 7 : 15;
}

// Whether `reading` lies within the rounding of a finite `value` to `digits`
// significant digits (half a unit in the last digit), plus the rounding of
// the reading itself to the nearest double.
inline bool withinDigits(double reading, double value, int digits)
{
    const double halfUnit = 0.5 * std::pow(10.0, 1 - digits);
    const double bound = std::abs(value) * (halfUnit + 0x1p-52) + std::numeric_limits<double>::denorm_min();
    return std::abs(reading - value) <= bound;
}

// Counts the significant digits of a number's text form: the mantissa's
// digits without its leading zeros.
inline int countSignificantDigits(std::string_view form)
{
    int count = 0;
    bool leading = true;
    for (const char c : form) {
        if (c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++count;
    }
    return count;
}

// Properties every text form of a finite number has: a blank or a minus sign
// first, then digits with at most one "." and an exponent, never a comma or
// a group separator, and no more significant digits than the precision keeps.
inline void checkTextForm(std::string_view form, double value, rt::Precision precision)
{
    check(form.size() >= 2, "a text form has a sign place and a digit", form);
    check(form.front() == (value < 0 ? '-' : ' '), "a text form starts with a blank, or a minus when negative", form);
    check(form.find_first_not_of("0123456789.E+-", 1) == std::string_view::npos,
          "a text form holds only digits, a point and an exponent", form);
    check(countSignificantDigits(form) <= significantDigits(precision), "a text form keeps the precision's digits",
          form);
}

} // namespace fuzz
