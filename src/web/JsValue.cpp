// SPDX-License-Identifier: MIT
#include "JsValue.h"

// The page's table of values, JsValues.js. None of them throws a C++
// exception; an error of the browser's goes on as the browser's.
extern "C" {
int ringtafel_js_global(const char* name) noexcept;
int ringtafel_js_string(const char* text, std::size_t length) noexcept;
int ringtafel_js_number(double number, int isBool) noexcept;
int ringtafel_js_object() noexcept;
int ringtafel_js_memory(const std::uint8_t* bytes, std::size_t size) noexcept;
void ringtafel_js_retain(int handle) noexcept;
void ringtafel_js_release(int handle) noexcept;
int ringtafel_js_get(int handle, const char* name) noexcept;
int ringtafel_js_get_index(int handle, int index) noexcept;
void ringtafel_js_set(int handle, const char* name, int value) noexcept;
void ringtafel_js_set_text(int handle, const char* name, const char* text, std::size_t length) noexcept;
void ringtafel_js_numbers(int handle, const char* const* names, std::size_t count, double* to) noexcept;
int ringtafel_js_call(int handle, const char* method, const int* args, std::size_t count) noexcept;
int ringtafel_js_new(int handle, const int* args, std::size_t count) noexcept;
int ringtafel_js_truth(int handle) noexcept;
int ringtafel_js_is_null(int handle) noexcept;
double ringtafel_js_to_number(int handle) noexcept;
std::size_t ringtafel_js_utf8_length(int handle) noexcept;
void ringtafel_js_utf8_copy(int handle, char* to, std::size_t size) noexcept;
}

namespace web {

namespace {

// A row of values goes to the page as the row of their handles.
static_assert(sizeof(JsValue) == sizeof(int) && std::is_standard_layout_v<JsValue>);
const int* handles(const JsValue* values) { return reinterpret_cast<const int*>(values); }

// Undefined is no entry of the table: holding or letting go of it needs no
// crossing.
void retain(int handle)
{
    if (handle)
        ringtafel_js_retain(handle);
}

void release(int handle)
{
    if (handle)
        ringtafel_js_release(handle);
}

} // namespace

JsValue::JsValue(const char* text) noexcept : handle_(ringtafel_js_string(text, std::string::traits_type::length(text))) {}
JsValue::JsValue(const std::string& text) noexcept : handle_(ringtafel_js_string(text.data(), text.size())) {}
JsValue::JsValue(const JsValue& other) noexcept : handle_(other.handle_) { retain(handle_); }

JsValue& JsValue::operator=(const JsValue& other) noexcept
{
    retain(other.handle_);
    release(handle_);
    handle_ = other.handle_;
    return *this;
}

JsValue& JsValue::operator=(JsValue&& other) noexcept
{
    if (this != &other) {
        release(handle_);
        handle_ = other.handle_;
        other.handle_ = 0;
    }
    return *this;
}

JsValue::~JsValue() { release(handle_); }

int JsValue::fromNumber(double number, bool isBool) noexcept { return ringtafel_js_number(number, isBool); }
JsValue JsValue::global(const char* name) noexcept { return JsValue(Handle{ringtafel_js_global(name)}); }
JsValue JsValue::object() noexcept { return JsValue(Handle{ringtafel_js_object()}); }
JsValue JsValue::memoryView(const std::uint8_t* bytes, std::size_t size) noexcept
{
    return JsValue(Handle{ringtafel_js_memory(bytes, size)});
}

JsValue JsValue::operator[](const char* name) const noexcept { return JsValue(Handle{ringtafel_js_get(handle_, name)}); }
JsValue JsValue::operator[](int index) const noexcept { return JsValue(Handle{ringtafel_js_get_index(handle_, index)}); }
void JsValue::setProperty(const char* name, const JsValue& value) const noexcept { ringtafel_js_set(handle_, name, value.handle_); }

void JsValue::setText(const char* name, std::string_view text) const noexcept
{
    ringtafel_js_set_text(handle_, name, text.data(), text.size());
}

void JsValue::readNumbers(const char* const* names, std::size_t count, double* to) const noexcept
{
    ringtafel_js_numbers(handle_, names, count, to);
}

int JsValue::invoke(const char* method, const JsValue* args, std::size_t count) const noexcept
{
    return ringtafel_js_call(handle_, method, handles(args), count);
}

int JsValue::construct(const JsValue* args, std::size_t count) const noexcept
{
    return ringtafel_js_new(handle_, handles(args), count);
}

bool JsValue::truth() const noexcept { return ringtafel_js_truth(handle_) != 0; }
bool JsValue::isNull() const noexcept { return ringtafel_js_is_null(handle_) != 0; }
double JsValue::number() const noexcept { return ringtafel_js_to_number(handle_); }

std::string JsValue::text() const
{
    std::string text(ringtafel_js_utf8_length(handle_) + 1, '\0');   // with room for the closing zero
    ringtafel_js_utf8_copy(handle_, text.data(), text.size());
    text.pop_back();
    return text;
}

} // namespace web
