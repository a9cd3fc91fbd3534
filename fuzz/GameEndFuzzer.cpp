// SPDX-License-Identifier: MIT
// The end of a game: whatever the score box holds becomes `Endstand` and the
// result sentence, both in the timer tick and in the result window's first
// load. The input is the score box's text, then optionally a zero byte and
// the bytes of the running score.
#include "FuzzSupport.h"

#include "runtime/Variant.h"
#include "game/Game.h"

#include <algorithm>
#include <bit>
#include <fuzzer/FuzzedDataProvider.h>

using namespace fuzz;

namespace {

constexpr std::string_view Opening = "Sie haben ";
constexpr std::string_view Closing = " Punkte erreicht!";

// The running score: empty, a 16-bit integer, or any single or double,
// infinities and not-a-number included.
rt::Variant runningScore(std::string_view bytes)
{
    FuzzedDataProvider input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return {};
    case 1: return rt::Variant::integer(input.ConsumeIntegral<std::int16_t>());
    case 2: return rt::Variant::single(std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>()));
    default: return rt::Variant::real(std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>()));
    }
}

// The sentence's score part: the text between the fixed opening and closing.
std::string_view scoreOf(std::string_view sentence)
{
    check(sentence.starts_with(Opening), "the sentence starts with \"Sie haben \"", sentence);
    check(sentence.ends_with(Closing), "the sentence ends with \" Punkte erreicht!\"", sentence);
    check(sentence.size() > Opening.size() + Closing.size(), "the sentence names a score", sentence);
    return sentence.substr(Opening.size(), sentence.size() - Opening.size() - Closing.size());
}

void checkTick(std::string_view scoreText, const rt::Variant& Punkte)
{
    const Int16Reading reading = readInt16(scoreText);
    const auto* number = std::get_if<std::int16_t>(&reading);
    const double running = Punkte.toDouble();
    std::int16_t Endstand = 0;
    try {
        Endstand = game::finalScore(std::string(scoreText), Punkte);
    } catch (const rt::RuntimeError& error) {
        check(!number && std::isnan(running) && error.code() == rt::ErrorCode::Overflow,
              "only a running score that is not a number stops the game, with Overflow", scoreText);
        return;
    }
    if (number) {
        check(Endstand == *number, "a score box holding a 16-bit number gives that number", scoreText);
    } else {
        // Any other text gives the running score, held to the 16-bit range.
        check(!std::isnan(running), "a running score that is not a number overflows", scoreText);
        const double held = std::clamp(running, -32768.0, 32767.0);
        check(std::abs(Endstand - held) < 1.0, "other text gives the running score", scoreText);
    }

    const std::string sentence = game::resultSentence(Endstand, rt::Precision::Integer);
    const std::string_view score = scoreOf(sentence);
    check(score == rt::textForm(Endstand), "the sentence holds the text form of the final score", sentence);
    check(rt::leadingNumber(score) == Endstand, "the sentence's score reads back as the final score", sentence);
}

void checkFirstLoad(std::string_view scoreText)
{
    const double points = rt::leadingNumber(scoreText);
    const std::string sentence = game::resultSentence(points, rt::Precision::Double);
    const std::string_view score = scoreOf(sentence);
    checkTextForm(score, points, rt::Precision::Double);
    check(withinDigits(rt::leadingNumber(score), points, significantDigits(rt::Precision::Double)),
          "the sentence's score reads back as the leading number of the score box", sentence);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = asText(data, size);
    const std::size_t end = std::min(input.find('\0'), input.size());
    const std::string_view scoreText = input.substr(0, end);
    const rt::Variant Punkte = runningScore(input.substr(std::min(end + 1, input.size())));
    checkTick(scoreText, Punkte);
    checkFirstLoad(scoreText);
    return 0;
}
