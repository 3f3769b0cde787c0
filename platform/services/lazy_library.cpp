#include "platform/services/detail/lazy_library.h"

#include <dlfcn.h>

namespace platform::detail {

bool LazyLibrary::OpenFile() {
    handle_ = dlopen(soname_, RTLD_NOW | RTLD_LOCAL);
    if (handle_) return true;
    const char* why = dlerror();
    reason_ = std::string("the library ") + soname_ + " cannot be loaded: " + (why ? why : "unknown reason");
    return false;
}

void* LazyLibrary::Symbol(const char* name) {
    void* symbol = dlsym(handle_, name);
    if (!symbol) reason_ = std::string("the library ") + soname_ + " has no " + name;
    return symbol;
}

}  // namespace platform::detail
