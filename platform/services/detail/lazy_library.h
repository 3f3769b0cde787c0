// Libraries that only some runs need (sound decoding and output) are opened at their first use,
// not linked: a clock that never plays a sound maps none of them, and its memory stays small.
#pragma once

#include <mutex>
#include <string>

namespace platform::detail {

// One library's entry points, opened once, on first use, from whichever thread comes first.
class LazyLibrary {
public:
    explicit LazyLibrary(const char* soname) : soname_(soname) {}
    LazyLibrary(const LazyLibrary&) = delete;
    LazyLibrary& operator=(const LazyLibrary&) = delete;

    // Opens the library and binds its entries with bind(*this) the first time; false, with the
    // reason in *error, when the library or one of the entries is missing. The answer is kept.
    template <class BindAll>
    bool Open(BindAll bindAll, std::string* error) {
        std::call_once(once_, [&] { ok_ = OpenFile() && bindAll(*this); });
        if (!ok_ && error) *error = reason_;
        return ok_;
    }

    // Binds one entry by its exported name; false when the library has none of that name.
    template <class Function>
    bool Bind(Function& entry, const char* name) {
        void* symbol = Symbol(name);
        entry = reinterpret_cast<Function>(symbol);
        return symbol != nullptr;
    }

private:
    bool OpenFile();
    void* Symbol(const char* name);

    const char* soname_;
    void* handle_ = nullptr;
    std::once_flag once_;
    bool ok_ = false;
    std::string reason_;
};

// The entry points of one library as a struct of function pointers, bound by
// bindAll(library, calls) at the first call; nullptr, with the reason in *error, when the library
// or one of the entries is missing. Each struct type names one library.
template <class Calls, class BindAll>
const Calls* OpenCalls(const char* soname, BindAll bindAll, std::string* error) {
    static LazyLibrary library(soname);
    static Calls calls;
    return library.Open([&](LazyLibrary& l) { return bindAll(l, calls); }, error) ? &calls : nullptr;
}

}  // namespace platform::detail
