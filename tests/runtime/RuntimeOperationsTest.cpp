// SPDX-License-Identifier: MIT
#include "runtime/Colors.h"
#include "runtime/Numbers.h"
#include "runtime/Random.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"
#include "runtime/Clock.h"
#include "support/RaisedError.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

using namespace rt;


TEST(IntFloorsInThePrecisionOfItsArgument, NegativeHalvesGoDown)
{
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Int(-2.5f), -3.0f);
    EXPECT_EQ(Int(2.999), 2.0);
    EXPECT_EQ(Int(-0.0001f), -1.0f);
    EXPECT_EQ(Int(7.0f), 7.0f);
}

TEST(CIntRoundsHalvesToTheEvenNeighbour, AcrossTheRange)
{
    EXPECT_EQ(CInt(14.5), 14);
    EXPECT_EQ(CInt(13.5), 14);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(2.6), 3);
    EXPECT_EQ(CInt(32767.0), 32767);
    EXPECT_EQ(CInt(-32768.0), -32768);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);   // half to even stays in range
}

TEST(CIntRaisesOverflowOutsideSixteenBits, IncludingNotANumber)
{
    EXPECT_EQ(errorOf([] { CInt(32767.5); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { CInt(-32769.0); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { CInt(1e300); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { CInt(std::numeric_limits<double>::quiet_NaN()); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { CInt(std::numeric_limits<double>::infinity()); }), ErrorCode::Overflow);
}

TEST(SixteenBitSubtraction, FailsInsteadOfWrapping)
{
    EXPECT_EQ(subtractInt16(1010, 600), 410);
    EXPECT_EQ(subtractInt16(1010, 10), 1000);
    EXPECT_EQ(errorOf([] { subtractInt16(1010, -31758); }), ErrorCode::Overflow);
}

TEST(TextFormOfANumber, HasALeadingBlankOrMinus)
{
    EXPECT_EQ(textForm(std::int16_t{25}), " 25");
    EXPECT_EQ(textForm(std::int16_t{-3}), "-3");
    EXPECT_EQ(textForm(std::int16_t{0}), " 0");
    EXPECT_EQ(textForm(-0.0, Precision::Double), " 0");
    EXPECT_EQ(textForm(279.0, Precision::Double), " 279");
    EXPECT_EQ(textForm(-5.0, Precision::Double), "-5");
    EXPECT_EQ(textForm(123.0f), " 123");
}

TEST(TextFormOfANumber, KeepsSevenDigitsForSinglesAndFifteenForDoubles)
{
    EXPECT_EQ(textForm(1.0f / 3.0f), " 0.3333333");
    EXPECT_EQ(textForm(1.0 / 3.0, Precision::Double), " 0.333333333333333");
    EXPECT_EQ(textForm(-499995.0f), "-499995");
    EXPECT_EQ(textForm(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(textForm(123456789012345.0, Precision::Double), " 123456789012345");
    EXPECT_EQ(textForm(1e20, Precision::Double), " 1E+20");
    EXPECT_EQ(textForm(0.000015, Precision::Double), " 1.5E-05");
}

TEST(TextFormOfANumber, UsesAPointAndNoGroupingWhateverTheLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(textForm(2.5f), " 2.5");
    EXPECT_EQ(textForm(32767.0, Precision::Double), " 32767");
    EXPECT_EQ(textForm(1234567.0, Precision::Double), " 1234567");
    std::setlocale(LC_ALL, saved.c_str());
    if (!german)
        GTEST_SKIP() << "no German locale on this machine; checked in the C locale only";
}

TEST(TextToSixteenBitInteger, ReadsTheGermanFormat)
{
    EXPECT_EQ(textToInt16("12,5"), 12);
    EXPECT_EQ(textToInt16("13,5"), 14);
    EXPECT_EQ(textToInt16(" 279"), 279);
    EXPECT_EQ(textToInt16(" 25 "), 25);
    EXPECT_EQ(textToInt16("\t-5\t"), -5);
    EXPECT_EQ(textToInt16("+7"), 7);
    EXPECT_EQ(textToInt16(",5"), 0);
    EXPECT_EQ(textToInt16("1,5E2"), 150);
    EXPECT_EQ(textToInt16("32767"), 32767);
    EXPECT_EQ(textToInt16("-32768"), -32768);
    EXPECT_EQ(textToInt16("1.234"), 1234) << "a point groups thousands";
    EXPECT_EQ(textToInt16("-12.345,5"), -12346);
}

TEST(TextToSixteenBitInteger, RaisesTypeMismatchForTextThatIsNoNumber)
{
    for (const char* text : {"", "   ", "abc", "12a", "1 2", "--1", "12.5", "1.23", "1234.567", ".123", "1.2345", "1,2,3", "E5", ",", "+", "inf", "nan",
                             "0x10", "1e"}) {
        EXPECT_EQ(errorOf([&] { textToInt16(text); }), ErrorCode::TypeMismatch) << '"' << text << '"';
    }
}

TEST(TextToSixteenBitInteger, RaisesOverflowOutsideTheRange)
{
    EXPECT_EQ(errorOf([] { textToInt16("32768"); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { textToInt16("-32769"); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { textToInt16("1E400"); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { textToInt16(std::string(40000, '9')); }), ErrorCode::Overflow);
}

TEST(LeadingNumberOfAText, NeverFails)
{
    EXPECT_EQ(leadingNumber("12,5"), 12.0);
    EXPECT_EQ(leadingNumber(" 7.5 Punkte"), 7.5);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("-5"), -5.0);
    EXPECT_EQ(leadingNumber(" 279"), 279.0);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("1e3x"), 1000.0);
    EXPECT_EQ(leadingNumber("1e"), 1.0);
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("1E-310"), 1E-310) << "a number too small for full precision is still a number";
    EXPECT_EQ(leadingNumber("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(leadingNumber("1e-999"), 0.0);
    EXPECT_EQ(leadingNumber(std::string(40000, '7')), std::numeric_limits<double>::max());
}

TEST(Palette, HasTheSixteenStandardColours)
{
    EXPECT_EQ(paletteColor(0), RGB(0, 0, 0));
    EXPECT_EQ(paletteColor(7), RGB(192, 192, 192));
    EXPECT_EQ(paletteColor(8), RGB(128, 128, 128));
    EXPECT_EQ(paletteColor(14), RGB(255, 255, 0));
    EXPECT_EQ(paletteColor(15), White);
    EXPECT_EQ(errorOf([] { paletteColor(16); }), ErrorCode::InvalidCall);
    EXPECT_EQ(errorOf([] { paletteColor(-1); }), ErrorCode::InvalidCall);
    EXPECT_EQ(fromPixel(toPixel(RGB(1, 2, 3))), RGB(1, 2, 3));
}

TEST(UntypedValue, EmptyReadsAsZeroAndAsEmptyText)
{
    const Variant empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.text(), "");
    EXPECT_EQ(empty.toDouble(), 0.0);
    const Variant sum = empty + Variant::integer(30);
    EXPECT_EQ(sum.kind(), Variant::Kind::Integer);
    EXPECT_EQ(sum.text(), " 30");
}

TEST(UntypedValue, ArithmeticTakesTheWiderKind)
{
    EXPECT_EQ((Variant::single(12.0f) + Variant::integer(30)).kind(), Variant::Kind::Single);
    EXPECT_EQ((Variant::integer(0) + Variant::real(31.0)).kind(), Variant::Kind::Double);
    EXPECT_EQ((Variant::real(1.0) - Variant::single(0.5f)).toDouble(), 0.5);
    const Variant big = Variant::integer(32767) + Variant::integer(1);
    EXPECT_EQ(big.toDouble(), 32768.0);
    EXPECT_EQ(big.text(), " 32768");
    // Singles compute in single precision.
    const Variant clock = Variant::single(86399.99f) - Variant::single(0.01f);
    EXPECT_EQ(clock.toSingle(), 86399.99f - 0.01f);
}

TEST(RandomGenerator, YieldsUniformNumbersBelowOneAndRepeatsAfterReseeding)
{
    RandomGenerator generator;
    generator.reseed(51234.5f);
    std::vector<float> first;
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        const float value = generator.next();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        sum += value;
        if (i < 5)
            first.push_back(value);
    }
    EXPECT_NEAR(sum / 20000, 0.5, 0.02);
    generator.reseed(51234.5f);
    for (float expected : first)
        EXPECT_EQ(generator.next(), expected);
}

TEST(SystemClock, ReadsSecondsSinceMidnight)
{
    SystemClock clock;
    const float now = clock.secondsSinceMidnight();
    EXPECT_GE(now, 0.0f);
    EXPECT_LT(now, 86400.0f);
}

TEST(RuntimeErrors, CarryTheirNumberAndGermanMessage)
{
    const RuntimeError overflow(ErrorCode::Overflow);
    EXPECT_EQ(overflow.number(), 6);
    EXPECT_EQ(overflow.germanMessage(), "Überlauf");
    EXPECT_EQ(RuntimeError(ErrorCode::TypeMismatch).germanMessage(), "Typen unverträglich");
}
