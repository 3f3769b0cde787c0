#include "platform/draw/hooks.h"

#include <utility>

namespace platform::draw {
namespace {
template <class F>
F& Provider() {
    static F provider;
    return provider;
}
using OwnerFn = std::function<int()>;
using MapperFn = std::function<std::string(const std::string&)>;
using ScreenFn = std::function<SIZE()>;
}  // namespace

int CurrentOwnerContext() { return Provider<OwnerFn>() ? Provider<OwnerFn>()() : 0; }
void SetOwnerContextProvider(std::function<int()> provider) { Provider<OwnerFn>() = std::move(provider); }

std::string MapImagePath(const std::string& path) { return Provider<MapperFn>() ? Provider<MapperFn>()(path) : path; }
void SetImagePathMapper(MapperFn mapper) { Provider<MapperFn>() = std::move(mapper); }

SIZE ScreenSize() { return Provider<ScreenFn>() ? Provider<ScreenFn>()() : SIZE{1280, 1024}; }
void SetScreenSizeProvider(ScreenFn provider) { Provider<ScreenFn>() = std::move(provider); }

}  // namespace platform::draw
