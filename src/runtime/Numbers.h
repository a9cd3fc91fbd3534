// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

// Number rules of the run-time: floor, rounding to 16-bit integers, and the
// conversions between numbers and text. None of them depends on the process
// locale: the program shows "." as decimal point everywhere.
namespace rt {

enum class Precision { Integer, Single, Double };

// Greatest whole number not above x, in the precision of x: Int(-2.5) == -3.
inline float Int(float x) { return std::floor(x); }
inline double Int(double x) { return std::floor(x); }

// Nearest 16-bit integer, halves to the even neighbour (14.5 -> 14, 13.5 -> 14).
// Raises Overflow outside -32768..32767 (and for NaN).
std::int16_t CInt(double x);

// 16-bit subtraction that raises Overflow instead of wrapping.
std::int16_t subtractInt16(std::int16_t a, std::int16_t b);

// Text form of a number: " 25", "-3", " 0", " 0.5", " 1E+20". At most 7
// significant digits for Single, 15 for Double and Integer.
std::string textForm(double value, Precision precision);
inline std::string textForm(std::int16_t value) { return textForm(value, Precision::Integer); }
inline std::string textForm(float value) { return textForm(value, Precision::Single); }

// Text in the German number format (decimal comma, points between groups of
// three digits, blanks around ignored)
// to a 16-bit integer through CInt. Raises TypeMismatch when the text is no
// number and Overflow when it lies outside the 16-bit range.
std::int16_t textToInt16(std::string_view text);

// The number at the start of the text after any blanks, "." as decimal point;
// 0 when the text does not start with a number. Never fails.
double leadingNumber(std::string_view text);

} // namespace rt
