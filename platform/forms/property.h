// Properties with the classic assignment syntax: `txtHour.Text = "0"`, `chTime.Value = 1`,
// `if (cmdNext.Enabled) ...`. A property is a small proxy that calls its owner's getter and
// setter; reading or writing any property first lets the owner load its form, as the first
// reference to a form's control does.
#pragma once

#include <string>
#include <type_traits>
#include <utility>

namespace platform::forms {

namespace detail {
template <class M>
struct GetterTraits;
template <class C, class R>
struct GetterTraits<R (C::*)() const> {
    using Owner = C;
    using Value = std::remove_cvref_t<R>;
};
template <class M>
struct IndexedGetterTraits;
template <class C, class R>
struct IndexedGetterTraits<R (C::*)(int) const> {
    using Owner = C;
    using Value = std::remove_cvref_t<R>;
};
}  // namespace detail

// Get is `T (Owner::*)() const`, Set is `void (Owner::*)(T)` or nullptr for a read-only property.
// The owner provides `void Touch() const`, which loads its form when it is not loaded.
template <auto Get, auto Set = nullptr>
class Prop {
public:
    using Owner = typename detail::GetterTraits<decltype(Get)>::Owner;
    using T = typename detail::GetterTraits<decltype(Get)>::Value;
    static constexpr bool kWritable = !std::is_same_v<decltype(Set), std::nullptr_t>;

    explicit Prop(Owner* owner) : owner_(owner) {}
    Prop(const Prop&) = delete;

    T operator()() const {
        owner_->Touch();
        return (owner_->*Get)();
    }
    operator T() const { return (*this)(); }

    Prop& operator=(const T& value)
        requires kWritable
    {
        owner_->Touch();
        (owner_->*Set)(value);
        return *this;
    }
    // Assigning one property to another assigns the value, never the proxy.
    Prop& operator=(const Prop& other)
        requires kWritable
    {
        return *this = other();
    }
    template <class U>
        requires kWritable && std::is_convertible_v<U, T> && (!std::is_same_v<std::remove_cvref_t<U>, T>)
    Prop& operator=(U&& value) {
        return *this = static_cast<T>(std::forward<U>(value));
    }

    Prop& operator+=(const T& d)
        requires kWritable && std::is_arithmetic_v<T>
    {
        return *this = static_cast<T>((*this)() + d);
    }
    Prop& operator-=(const T& d)
        requires kWritable && std::is_arithmetic_v<T>
    {
        return *this = static_cast<T>((*this)() - d);
    }

    // Text properties compare and join like the text they hold. Numbers use the built-in operators
    // through the conversion, so that mixed comparisons stay unambiguous.
    friend bool operator==(const Prop& a, const T& b)
        requires std::is_same_v<T, std::string>
    {
        return a() == b;
    }
    friend bool operator==(const Prop& a, const char* b)
        requires std::is_same_v<T, std::string>
    {
        return a() == b;
    }
    friend std::string operator+(const Prop& a, const std::string& b)
        requires std::is_same_v<T, std::string>
    {
        return a() + b;
    }
    friend std::string operator+(const std::string& a, const Prop& b)
        requires std::is_same_v<T, std::string>
    {
        return a + b();
    }
    friend std::string operator+(const Prop& a, const char* b)
        requires std::is_same_v<T, std::string>
    {
        return a() + b;
    }
    friend std::string operator+(const char* a, const Prop& b)
        requires std::is_same_v<T, std::string>
    {
        return a + b();
    }

private:
    Owner* owner_;
};

// An indexed property element, as in `lstLabels.ItemData(i) = n` or `if (lst.Selected(i))`.
template <auto Get, auto Set = nullptr>
class IndexedProp {
public:
    using Owner = typename detail::IndexedGetterTraits<decltype(Get)>::Owner;
    using T = typename detail::IndexedGetterTraits<decltype(Get)>::Value;
    static constexpr bool kWritable = !std::is_same_v<decltype(Set), std::nullptr_t>;

    IndexedProp(Owner* owner, int index) : owner_(owner), index_(index) {}

    T operator()() const {
        owner_->Touch();
        return (owner_->*Get)(index_);
    }
    operator T() const { return (*this)(); }
    IndexedProp& operator=(const T& value)
        requires kWritable
    {
        owner_->Touch();
        (owner_->*Set)(index_, value);
        return *this;
    }
    IndexedProp& operator=(const IndexedProp& other)
        requires kWritable
    {
        return *this = other();
    }
    friend bool operator==(const IndexedProp& a, const T& b)
        requires std::is_same_v<T, std::string>
    {
        return a() == b;
    }
    friend bool operator==(const IndexedProp& a, const char* b)
        requires std::is_same_v<T, std::string>
    {
        return a() == b;
    }

private:
    Owner* owner_;
    int index_;
};

}  // namespace platform::forms
