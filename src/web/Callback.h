// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace web {

// A call the page keeps for later, such as an event's handler: a lambda that
// holds no more than a few pointers, kept in place. std::function would add
// to every handler its copying, its type queries and their type names,
// which together weighed more than the handlers themselves.
template <class Signature>
class Callback;

template <class R, class... Args>
class Callback<R(Args...)> {
public:
    Callback() = default;
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, Callback> && std::is_invocable_r_v<R, const F&, Args...>)
    Callback(F call) noexcept : run_(&run<F>)
    {
        static_assert(sizeof(F) <= sizeof(state_) && alignof(F) <= alignof(std::max_align_t)
                          && std::is_trivially_copyable_v<F> && std::is_trivially_destructible_v<F>,
                      "a callback holds a few pointers, references or member function pointers");
        ::new (static_cast<void*>(state_)) F(call);
    }

    R operator()(Args... args) const { return run_(state_, std::forward<Args>(args)...); }
    explicit operator bool() const noexcept { return run_ != nullptr; }

private:
    template <class F>
    static R run(const void* state, Args... args)
    {
        return (*static_cast<const F*>(state))(std::forward<Args>(args)...);
    }

    alignas(std::max_align_t) unsigned char state_[16] = {};
    R (*run_)(const void*, Args...) = nullptr;
};

} // namespace web
