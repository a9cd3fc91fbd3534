// SPDX-License-Identifier: MIT
// The page's binding to JavaScript under node: what crosses in each
// direction arrives unchanged, and a value is held exactly as long as the
// program holds it.
#include "web/Callback.h"
#include "web/JsValue.h"

#include <emscripten/em_asm.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace {

using web::JsValue;

JsValue parsed(const char* json) { return JsValue::global("JSON").call<JsValue>("parse", json); }
std::string typeOf(const JsValue& value) { return JsValue::global("Function")("v", "return typeof v")(value).as<std::string>(); }
int heldValues() { return EM_ASM_INT({ return jsValues.values.filter(v => v !== undefined).length; }); }

TEST(JsValueTest, TextsCrossBothWaysAsUtf8)
{
    // Short and long, plain and not: a short plain text takes another way in.
    const std::string texts[] = {"", "Start", "Erklärung – Größe: ÄÖÜ äöü ß", "Ziel 🎯", "ä", std::string(32, 'x'),
                                 std::string(33, 'y'), std::string(31, 'z') + "ß", "X=12345678901234567890123456789"};
    const JsValue box = JsValue::object();
    for (const std::string& text : texts) {
        EXPECT_EQ(JsValue(text).as<std::string>(), text);
        EXPECT_EQ(JsValue(text.c_str()).as<std::string>(), text);
        box.set("value", text);
        EXPECT_EQ(box["value"].as<std::string>(), text);
        EXPECT_EQ(typeOf(box["value"]), "string");
        box.set("value", text.c_str());
        EXPECT_EQ(box["value"].as<std::string>(), text);
    }
    EXPECT_EQ(JsValue(std::string(100, 'a'))["length"].as<int>(), 100);
    EXPECT_EQ(JsValue("Größe")["length"].as<int>(), 5);   // read as UTF-8, not byte by byte
    EXPECT_EQ(parsed("\"\\u00e4\\u00df\"").as<std::string>(), "äß");
    EXPECT_EQ(JsValue(std::string("a\0b", 3))["length"].as<int>(), 1);   // C strings end at the zero
}

TEST(JsValueTest, NumbersAndTruthsKeepTheirTypes)
{
    EXPECT_EQ(JsValue(2.5).as<double>(), 2.5);
    EXPECT_EQ(JsValue(-7).as<int>(), -7);
    EXPECT_EQ(JsValue(std::size_t(65535)).as<double>(), 65535.0);
    EXPECT_EQ(typeOf(JsValue(true)), "boolean");
    EXPECT_EQ(typeOf(JsValue(0)), "number");
    EXPECT_FALSE(JsValue(false).as<bool>());
    EXPECT_FALSE(parsed("0").as<bool>());
    EXPECT_TRUE(parsed("\"0\"").as<bool>());   // truth as JavaScript sees it
    EXPECT_EQ(parsed("\"12.5\"").as<double>(), 12.5);
}

TEST(JsValueTest, SeveralNumbersAreReadAtOnce)
{
    const JsValue event = parsed(R"({"clientX": 180.5, "clientY": -3, "button": 2, "shiftKey": true,
                                     "ctrlKey": false, "width": "12.5"})");
    const auto [x, y, button, shift, ctrl, width, none] =
        event.numbers({"clientX", "clientY", "button", "shiftKey", "ctrlKey", "width", "none"});
    EXPECT_EQ(x, 180.5);
    EXPECT_EQ(y, -3.0);
    EXPECT_EQ(button, 2.0);
    EXPECT_EQ(shift, 1.0);
    EXPECT_EQ(ctrl, 0.0);
    EXPECT_EQ(width, 12.5);
    EXPECT_TRUE(std::isnan(none));   // missing, as JavaScript's unary plus has it
    const auto [first] = parsed("[7]").numbers({"0"});
    EXPECT_EQ(first, 7.0);
}

TEST(JsValueTest, NullUndefinedAndMissingProperties)
{
    EXPECT_TRUE(parsed("null").isNull());
    EXPECT_FALSE(parsed("null").isUndefined());
    EXPECT_TRUE(JsValue::object()["none"].isUndefined());
    EXPECT_FALSE(JsValue::undefined().isNull());
    EXPECT_EQ(typeOf(JsValue::undefined()), "undefined");
}

TEST(JsValueTest, PropertiesCallsAndConstructors)
{
    const JsValue object = JsValue::object();
    object.set("name", "Text5");
    object.set("count", 3);
    object.set("self", object);
    EXPECT_EQ(object["name"].as<std::string>(), "Text5");
    EXPECT_EQ(object["self"]["count"].as<int>(), 3);
    EXPECT_EQ(parsed("[1, [2, 3]]")[1][0].as<int>(), 2);
    EXPECT_EQ(JsValue::global("Math").call<double>("max", 1, 7.5, std::string("3")), 7.5);
    EXPECT_EQ(JsValue::global("parseFloat")("12.5px").as<double>(), 12.5);
    EXPECT_TRUE(JsValue("Ringtafel").call<bool>("startsWith", "Ring"));
    EXPECT_EQ(JsValue::global("Date").new_(86400000).call<int>("getUTCDate"), 2);
    EXPECT_EQ(JsValue::global("Array").new_(1, 2, 3)["length"].as<int>(), 3);
}

TEST(JsValueTest, MemoryViewShowsTheProgramsBytes)
{
    std::uint8_t bytes[] = {1, 2, 3};
    const JsValue view = JsValue::memoryView(bytes, sizeof bytes);
    bytes[1] = 200;
    EXPECT_EQ(view["length"].as<int>(), 3);
    EXPECT_EQ(view[1].as<int>(), 200);
}

TEST(JsValueTest, AValueIsHeldWhileTheProgramHoldsIt)
{
    const int before = heldValues();
    {
        JsValue original = JsValue::object();
        original.set("kept", 1);
        JsValue copy = original;
        JsValue assigned;
        assigned = copy;
        original = JsValue();   // the copies still hold the value
        EXPECT_EQ(copy["kept"].as<int>(), 1);
        EXPECT_EQ(assigned["kept"].as<int>(), 1);
        JsValue moved = std::move(copy);
        EXPECT_TRUE(copy.isUndefined());
        EXPECT_EQ(moved["kept"].as<int>(), 1);
        JsValue& same = assigned;
        assigned = same;
        EXPECT_EQ(assigned["kept"].as<int>(), 1);
        EXPECT_EQ(heldValues(), before + 1);
    }
    EXPECT_EQ(heldValues(), before);   // the last holder let it go
    {
        const JsValue box = JsValue::object();
        for (int i = 0; i < 1000; ++i)
            box.set("value", "X=" + std::to_string(i));   // a text set holds nothing
        JsValue none;
        JsValue copy = none;
        none = copy;
        EXPECT_TRUE(copy.isUndefined() && none.isUndefined());
        EXPECT_EQ(heldValues(), before + 1);
    }
    EXPECT_EQ(heldValues(), before);
    for (int i = 0; i < 1000; ++i)
        JsValue::global("Object").new_()["constructor"];
    EXPECT_EQ(heldValues(), before);
}

TEST(CallbackTest, KeepsALambdaAndCallsIt)
{
    web::Callback<int(int, const std::string&)> empty;
    EXPECT_FALSE(empty);
    int calls = 0;
    int factor = 3;
    const web::Callback<int(int, const std::string&)> call = [&calls, &factor](int n, const std::string& text) {
        ++calls;
        return n * factor + int(text.size());
    };
    const auto copy = call;
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy(2, "ab"), 8);
    factor = 10;
    EXPECT_EQ(call(2, ""), 20);   // it holds the references, not what they referred to
    EXPECT_EQ(calls, 2);
}

} // namespace
