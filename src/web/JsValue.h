// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace web {

// A JavaScript value the program holds: a handle into the page's table of
// values (JsValues.js), counted, so that a copy shares the value and the last
// one lets it go. The few things the page does with the document need no
// more than this: read, write and call properties, call functions and
// constructors, and turn a value into a number, a truth or a string.
class JsValue {
public:
    JsValue() = default;   // undefined
    explicit JsValue(const char* text) noexcept;
    explicit JsValue(const std::string& text) noexcept;
    template <class Number>
        requires std::is_arithmetic_v<Number>
    explicit JsValue(Number number) noexcept : handle_(fromNumber(double(number), std::is_same_v<Number, bool>))
    {
    }
    JsValue(const JsValue& other) noexcept;
    JsValue(JsValue&& other) noexcept : handle_(other.handle_) { other.handle_ = 0; }
    JsValue& operator=(const JsValue& other) noexcept;
    JsValue& operator=(JsValue&& other) noexcept;
    ~JsValue();

    static JsValue global(const char* name) noexcept;
    static JsValue undefined() noexcept { return {}; }
    static JsValue object() noexcept;
    // A view of the program's memory, valid until that memory grows.
    static JsValue memoryView(const std::uint8_t* bytes, std::size_t size) noexcept;
    // Takes over a handle the page's table gave out for the program.
    static JsValue adopt(int handle) noexcept { return JsValue(Handle{handle}); }

    JsValue operator[](const char* name) const noexcept;
    JsValue operator[](int index) const noexcept;
    template <class Value>
    void set(const char* name, const Value& value) const
    {
        if constexpr (std::is_convertible_v<const Value&, std::string_view>)
            setText(name, std::string_view(value));   // no value of its own to hold
        else
            setProperty(name, from(value));
    }
    // The named properties as numbers, read in one crossing: a handler that
    // needs several of an event's finds them all at once.
    template <std::size_t N>
    std::array<double, N> numbers(const char* const (&names)[N]) const noexcept
    {
        std::array<double, N> values;
        readNumbers(names, N, values.data());
        return values;
    }

    // R is void, JsValue, bool, int, double or std::string.
    template <class R = void, class... Args>
    R call(const char* method, const Args&... args) const
    {
        const JsValue values[] = {from(args)..., JsValue()};
        return JsValue(Handle{invoke(method, values, sizeof...(Args))}).template as<R>();
    }
    template <class... Args>
    JsValue operator()(const Args&... args) const
    {
        return call<JsValue>(nullptr, args...);
    }
    template <class... Args>
    JsValue new_(const Args&... args) const
    {
        const JsValue values[] = {from(args)..., JsValue()};
        return JsValue(Handle{construct(values, sizeof...(Args))});
    }

    template <class T>
    T as() const
    {
        if constexpr (std::is_void_v<T>)
            return;
        else if constexpr (std::is_same_v<T, JsValue>)
            return *this;
        else if constexpr (std::is_same_v<T, bool>)
            return truth();
        else if constexpr (std::is_same_v<T, std::string>)
            return text();
        else
            return T(number());
    }
    bool isNull() const noexcept;
    bool isUndefined() const noexcept { return handle_ == 0; }
    int handle() const noexcept { return handle_; }

private:
    struct Handle {
        int value;
    };
    explicit JsValue(Handle handle) noexcept : handle_(handle.value) {}
    static int fromNumber(double number, bool isBool) noexcept;
    static const JsValue& from(const JsValue& value) noexcept { return value; }
    template <class Value>
    static JsValue from(const Value& value)
    {
        return JsValue(value);
    }
    void setProperty(const char* name, const JsValue& value) const noexcept;
    void setText(const char* name, std::string_view text) const noexcept;
    void readNumbers(const char* const* names, std::size_t count, double* to) const noexcept;
    int invoke(const char* method, const JsValue* args, std::size_t count) const noexcept;
    int construct(const JsValue* args, std::size_t count) const noexcept;
    bool truth() const noexcept;
    double number() const noexcept;
    std::string text() const;

    int handle_ = 0;   // 0 is undefined, which the table never holds
};

} // namespace web
