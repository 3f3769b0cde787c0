#include "core/library_binding.h"

#include <map>

#include "core/frm_main.h"
#include "core/language_files.h"
#include "core/language_text.h"
#include "platform/services/paths.h"
#include "platform/window/window.h"

namespace core {
namespace {

struct Binding {
    platform::HMODULE module;
    bool failed = false;
    std::map<std::string, platform::FARPROC> exports;
};

Binding& B() {
    static Binding binding;
    return binding;
}

void Fail(const std::string& reason) {
    if (B().failed) return;
    B().failed = true;
    std::string message = LanguageText("General", "MSGBOX Error DLL Missing",
                                       "The library %1 could not be loaded (%2). OZR Ruriv will now close.");
    ReplaceAll(message, "%1", platform::MapPath(kLibraryFile));
    ReplaceAll(message, "%2", reason);
    platform::UseService<LibraryFailure>().CannotLoad(message);
}

class ClosingLibraryFailure final : public LibraryFailure {
public:
    void CannotLoad(const std::string& message) override {
        std::string title = "OZR Ruriv - " + LanguageText("General", "MSGBOX Error", "Error!");
        platform::MessageBox(platform::HWND{}, message.c_str(), title.c_str(), platform::MB_OK | platform::MB_ICONERROR);
        frmMain().EndProgram(1);
    }
};

// The export's address, loading the library first when this is the first call of any export.
platform::FARPROC Lookup(const char* name) {
    Binding& b = B();
    if (b.failed) return nullptr;
    if (auto it = b.exports.find(name); it != b.exports.end()) return it->second;
    if (!b.module) {
        b.module = platform::LoadLibrary(platform::MapPath(kLibraryFile).c_str());
        if (!b.module) {
            Fail(platform::LibraryLoadError());
            return nullptr;
        }
    }
    platform::FARPROC address = platform::GetProcAddress(b.module, name);
    if (!address) {
        Fail(std::string("the export ") + name + " is missing");
        return nullptr;
    }
    b.exports[name] = address;
    return address;
}

template <class Fn, class... Args>
auto Call(const char* name, Args&&... args) {
    using Result = decltype(std::declval<Fn*>()(std::forward<Args>(args)...));
    auto* fn = reinterpret_cast<Fn*>(Lookup(name));
    if (!fn) return Result();
    return fn(std::forward<Args>(args)...);
}

}  // namespace

#define OZR_EXPORT_CALL(name, ...) Call<decltype(::name)>(#name __VA_OPT__(, ) __VA_ARGS__)

void OZRSetClockImageResource(const std::string& folder) { OZR_EXPORT_CALL(OZRSetClockImageResource, folder.c_str()); }
void OZRSetClockWidth(std::int16_t width) { OZR_EXPORT_CALL(OZRSetClockWidth, width); }
void OZRSetClockHeight(std::int16_t height) { OZR_EXPORT_CALL(OZRSetClockHeight, height); }
void OZRSetClockStyle(std::int16_t style) { OZR_EXPORT_CALL(OZRSetClockStyle, style); }
void OZRSetClockBackground(platform::COLORREF colour) { OZR_EXPORT_CALL(OZRSetClockBackground, colour); }
void OZRSetClockTransparent(std::uint8_t on) { OZR_EXPORT_CALL(OZRSetClockTransparent, on); }
void OZRSetClockTooltip(std::uint8_t enabled, std::int16_t delayMs, std::int16_t fadeInMs, std::int16_t fadeOutMs,
                        std::uint8_t maxOpacity) {
    OZR_EXPORT_CALL(OZRSetClockTooltip, enabled, delayMs, fadeInMs, fadeOutMs, maxOpacity);
}
void OZRSetClockRefresh(std::int32_t intervalMs) { OZR_EXPORT_CALL(OZRSetClockRefresh, intervalMs); }
void OZRSetClockPaintThreshold(std::int16_t paints) { OZR_EXPORT_CALL(OZRSetClockPaintThreshold, paints); }
void OZRSetClockBugFixer(std::uint8_t on) { OZR_EXPORT_CALL(OZRSetClockBugFixer, on); }
void OZRSetClockDebugMode(std::uint8_t on) { OZR_EXPORT_CALL(OZRSetClockDebugMode, on); }
void OZRSetClockShortcutCount(std::int32_t count) { OZR_EXPORT_CALL(OZRSetClockShortcutCount, count); }
void OZRSetClockType(std::uint8_t type) { OZR_EXPORT_CALL(OZRSetClockType, type); }
void OZRSetClockLabelCount(std::int16_t count) { OZR_EXPORT_CALL(OZRSetClockLabelCount, count); }
void OZRSetClockLabelProperties(std::int16_t index, std::int16_t x, std::int16_t y, const std::string& face,
                                std::int16_t size, std::int16_t weight, std::uint8_t italic, std::uint8_t underline,
                                std::uint8_t strikeOut, platform::COLORREF backColour, platform::COLORREF textColour,
                                const std::string& format, std::uint8_t shown) {
    OZR_EXPORT_CALL(OZRSetClockLabelProperties, index, x, y, face.c_str(), size, weight, italic, underline, strikeOut,
                    backColour, textColour, format.c_str(), shown);
}
void OZRSetClockLabelPositioning(std::int16_t index, std::int16_t x, std::int16_t y) {
    OZR_EXPORT_CALL(OZRSetClockLabelPositioning, index, x, y);
}
void OZRNextAlarmFiringTime(std::int32_t seconds) { OZR_EXPORT_CALL(OZRNextAlarmFiringTime, seconds); }
std::uint32_t OZRHookSystem() { return OZR_EXPORT_CALL(OZRHookSystem); }
void OZRUnHookSystem() { OZR_EXPORT_CALL(OZRUnHookSystem); }
void OZRKillSmartWindows() { OZR_EXPORT_CALL(OZRKillSmartWindows); }
void OZRFireAlarm(std::int32_t alarmId, const std::string& title, const std::string& text, std::uint8_t customPosition,
                  const hooklib::SlideSettings& slide, std::int16_t x, std::int16_t y, std::int16_t width,
                  std::int16_t height, std::uint8_t windowStyle, std::uint32_t windowProperties,
                  platform::COLORREF colourKey, std::uint8_t alpha, std::uint8_t visuals, platform::COLORREF backColour,
                  platform::COLORREF textColour, std::uint32_t flags, const hooklib::AlarmFontRecord& font,
                  const std::string& iconPath, const std::string& backgroundPath) {
    OZR_EXPORT_CALL(OZRFireAlarm, alarmId, title.c_str(), text.c_str(), customPosition, &slide, x, y, width, height,
                    windowStyle, windowProperties, colourKey, alpha, visuals, backColour, textColour, flags, &font,
                    iconPath.empty() ? nullptr : iconPath.c_str(),
                    backgroundPath.empty() ? nullptr : backgroundPath.c_str());
}
std::int32_t OZRTriggerSpecialBehavior(std::int32_t kind, const std::string& text, std::int32_t switch1,
                                       std::int32_t switch2, std::int32_t switch3, std::int32_t switch4,
                                       std::int32_t option) {
    return OZR_EXPORT_CALL(OZRTriggerSpecialBehavior, kind, text.c_str(), switch1, switch2, switch3, switch4, option);
}
void OZRShowPopupHelp(platform::HWND window, const std::string& title, const std::string& text, std::int16_t delayMs,
                      std::int16_t helpId, std::uint8_t inflate) {
    OZR_EXPORT_CALL(OZRShowPopupHelp, window, title.c_str(), text.c_str(), delayMs, helpId, inflate);
}
void OZRRemovePopupHelp() { OZR_EXPORT_CALL(OZRRemovePopupHelp); }
platform::HWND OZRSpecifyTooltipMasterWindow(platform::HWND window) {
    return OZR_EXPORT_CALL(OZRSpecifyTooltipMasterWindow, window);
}

#undef OZR_EXPORT_CALL

bool LibraryBindingFailed() { return B().failed; }

std::unique_ptr<LibraryFailure> LibraryFailure::MakeReal() { return std::make_unique<ClosingLibraryFailure>(); }

void ResetLibraryBinding() {
    if (B().module) platform::FreeLibrary(B().module);
    B().module = platform::HMODULE{};
    B().failed = false;
    B().exports.clear();
}

}  // namespace core
