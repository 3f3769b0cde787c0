// Sets a variable for the life of a scope and gives it back its value when the scope is left,
// by return or by throw, so that a flag set around a call never stays set after a failure.
#pragma once

#include <utility>

namespace platform {

template <class T>
class ScopedValue {
public:
    ScopedValue(T& variable, T value) : variable_(variable), saved_(std::exchange(variable, std::move(value))) {}
    ~ScopedValue() { variable_ = std::move(saved_); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T saved_;
};

}  // namespace platform
