// SPDX-License-Identifier: MIT
// Writes any number in its text form and reads it back; the same for the
// untyped value's sums and differences.
#include "FuzzSupport.h"

#include "runtime/Variant.h"

#include <bit>
#include <fuzzer/FuzzedDataProvider.h>

using namespace fuzz;

namespace {

rt::Precision precisionOf(rt::Variant::Kind kind)
{
    switch (kind) {
    case rt::Variant::Kind::Single: return rt::Precision::Single;
    case rt::Variant::Kind::Double: return rt::Precision::Double;
    case rt::Variant::Kind::Empty:
    case rt::Variant::Kind::Integer: break;
    }
    return rt::Precision::Integer;
}

// A finite number's text form reads back within the precision's digits.
void checkRoundTrip(double value, rt::Precision precision)
{
    const std::string form = rt::textForm(value, precision);
    if (!std::isfinite(value))
        return;
    checkTextForm(form, value, precision);
    check(withinDigits(rt::leadingNumber(form), value, significantDigits(precision)),
          "the text form reads back within its precision", form);
}

rt::Variant makeValue(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return {};
    case 1: return rt::Variant::integer(input.ConsumeIntegral<std::int16_t>());
    case 2: return rt::Variant::single(std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>()));
    default: return rt::Variant::real(std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>()));
    }
}

rt::Variant::Kind widerKind(const rt::Variant& a, const rt::Variant& b)
{
    const auto widened = [](rt::Variant::Kind kind) {
        return kind == rt::Variant::Kind::Empty ? rt::Variant::Kind::Integer : kind;
    };
    return std::max(widened(a.kind()), widened(b.kind()));
}

// Sums and differences take the wider kind and compute in its precision; a
// 16-bit result that does not fit becomes an exact double.
void checkArithmetic(const rt::Variant& a, const rt::Variant& b, const rt::Variant& result, bool sum)
{
    const rt::Variant::Kind kind = widerKind(a, b);
    double expected = 0.0;
    if (kind == rt::Variant::Kind::Single)
        expected = sum ? a.toSingle() + b.toSingle() : a.toSingle() - b.toSingle();
    else
        expected = sum ? a.toDouble() + b.toDouble() : a.toDouble() - b.toDouble();
    const bool fitsInteger = expected >= -32768.0 && expected <= 32767.0;
    const rt::Variant::Kind expectedKind =
        kind == rt::Variant::Kind::Integer && !fitsInteger ? rt::Variant::Kind::Double : kind;

    const std::string text = result.text();
    check(result.kind() == expectedKind, "arithmetic takes the wider kind", text);
    check(sameNumber(result.toDouble(), expected), "arithmetic computes in the kind's precision", text);
    check(text == rt::textForm(result.toDouble(), precisionOf(result.kind())),
          "an untyped value's text is the text form of its number in its precision", text);
    checkRoundTrip(result.toDouble(), precisionOf(result.kind()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const double value = std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>());
    checkRoundTrip(value, rt::Precision::Double);
    checkRoundTrip(std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>()), rt::Precision::Single);
    checkRoundTrip(input.ConsumeIntegral<std::int16_t>(), rt::Precision::Integer);

    const rt::Variant a = makeValue(input);
    const rt::Variant b = makeValue(input);
    check(a.text().empty() == a.isEmpty(), "only an empty value has empty text", a.text());
    checkArithmetic(a, b, a + b, true);
    checkArithmetic(a, b, a - b, false);
    return 0;
}
