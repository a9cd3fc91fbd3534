// SPDX-License-Identifier: MIT
#include "Variant.h"

#include <algorithm>

namespace rt {

namespace {

Variant::Kind arithmeticKind(Variant::Kind a, Variant::Kind b)
{
    const auto widened = [](Variant::Kind k) { return k == Variant::Kind::Empty ? Variant::Kind::Integer : k; };
    return std::max(widened(a), widened(b));
}

template <typename Op>
Variant combine(const Variant& a, const Variant& b, Op op)
{
    switch (arithmeticKind(a.kind(), b.kind())) {
    case Variant::Kind::Empty:
    case Variant::Kind::Integer: {
        const double whole = op(a.toDouble(), b.toDouble());
        if (whole >= -32768.0 && whole <= 32767.0)
            return Variant::integer(static_cast<std::int16_t>(whole));
        return Variant::real(whole);
    }
    case Variant::Kind::Single:
        return Variant::single(op(a.toSingle(), b.toSingle()));
    case Variant::Kind::Double:
        break;
    }
    return Variant::real(op(a.toDouble(), b.toDouble()));
}

} // namespace

std::string Variant::text() const
{
    switch (kind_) {
    case Kind::Empty: return {};
    case Kind::Integer: return textForm(value_, Precision::Integer);
    case Kind::Single: return textForm(value_, Precision::Single);
    case Kind::Double: break;
    }
    return textForm(value_, Precision::Double);
}

Variant operator+(const Variant& a, const Variant& b)
{
    return combine(a, b, [](auto x, auto y) { return x + y; });
}

Variant operator-(const Variant& a, const Variant& b)
{
    return combine(a, b, [](auto x, auto y) { return x - y; });
}

} // namespace rt
