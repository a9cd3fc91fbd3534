// SPDX-License-Identifier: MIT
#include "runtime/Numbers.h"
#include "runtime/RuntimeError.h"
#include "support/RaisedError.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
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

TEST(TextFormOfANumber, WritesWholeNumbersAsTheGeneralConversionDoes)
{
    // Whole numbers take a shorter way; the general conversion with the
    // precision's digits is the measure, around the edge of each precision.
    const auto general = [](double value, int digits) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "% .*G", digits, value);   // a blank where no minus is
        return std::string(buffer);
    };
    const double wholes[] = {1, -1, 31, 279, -499995, 9999999, -9999999, 10000000, 16777216, 99999999,
                             999999999999999, -999999999999999, 1e15, 1e16, 9007199254740993.0, 1e38};
    for (const double whole : wholes) {
        EXPECT_EQ(textForm(float(whole)), general(float(whole), 7)) << whole;
        EXPECT_EQ(textForm(whole, Precision::Double), general(whole, 15)) << whole;
        EXPECT_EQ(textForm(whole, Precision::Integer), general(whole, 15)) << whole;
    }
    for (double whole = -70000; whole <= 70000; whole += 7)
        ASSERT_EQ(textForm(float(whole)), general(whole, 7)) << whole;
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
