// SPDX-License-Identifier: MIT
// Takes the leading number of arbitrary text, as the result window does with
// the score box's text when it is first created.
#include "FuzzSupport.h"

#include <string>

using namespace fuzz;

namespace {

double leadingNumberOrAbort(std::string_view text)
{
    try {
        return rt::leadingNumber(text);
    } catch (...) {
        fail("the leading number never fails", text);
    }
}

bool startsLikeANumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && std::string_view("+-.0123456789").find(text[first]) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = asText(data, size);
    const double number = leadingNumberOrAbort(text);
    check(std::isfinite(number), "the leading number is finite", text);
    if (number != 0.0)
        check(startsLikeANumber(text), "only text that starts with a number has a leading number", text);
    if (number < 0.0)
        check(text.find('-') < text.find_first_of("0123456789"), "a negative number has its minus before the digits",
              text);

    check(sameNumber(leadingNumberOrAbort(TextWithDigitBehind(text).view()), number),
          "the reading stops at the end of the text", text);
    check(sameNumber(leadingNumberOrAbort(" \t" + std::string(text)), number), "leading blanks change nothing", text);
    check(sameNumber(leadingNumberOrAbort(std::string(text) + "x"), number), "what follows the number changes nothing",
          text);
    return 0;
}
