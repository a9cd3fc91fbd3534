// SPDX-License-Identifier: MIT
#pragma once

#include "Numbers.h"

#include <cstdint>
#include <string>

namespace rt {

// An untyped value: empty until something is stored, then a 16-bit integer,
// a single or a double, by what was stored last. Empty reads as 0 in
// arithmetic and as "" in text form.
class Variant {
public:
    enum class Kind { Empty, Integer, Single, Double };

    Variant() = default;
    static Variant integer(std::int16_t value) { return {Kind::Integer, double(value)}; }
    static Variant single(float value) { return {Kind::Single, double(value)}; }
    static Variant real(double value) { return {Kind::Double, value}; }

    Kind kind() const noexcept { return kind_; }
    bool isEmpty() const noexcept { return kind_ == Kind::Empty; }
    double toDouble() const noexcept { return value_; }
    float toSingle() const noexcept { return static_cast<float>(value_); }

    // "" when empty, otherwise the text form of the number (" 25", "-3").
    std::string text() const;

    // Arithmetic in the wider kind of the two operands (empty counts as a
    // 16-bit integer). A 16-bit result that does not fit widens to a double
    // instead of failing, as untyped values do.
    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);

private:
    Variant(Kind kind, double value) : kind_(kind), value_(value) {}

    Kind kind_ = Kind::Empty;
    double value_ = 0.0;
};

} // namespace rt
