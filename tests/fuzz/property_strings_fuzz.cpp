// libFuzzer target: the property-string reader and the behaviour and font readers built on it,
// fed with any bytes. Alarm files may come from anywhere; nothing here may crash, hang or read
// out of bounds, and what the routines promise must hold for every input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/alarm_behavior.h"
#include "core/property_strings.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte's low bits pick the key's length; the key is taken from the start of the rest.
    if (size == 0) return 0;
    const std::string all(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 8, all.size());
    const std::string key = all.substr(0, keyLength);
    const std::string s = all.substr(keyLength);

    (void)core::HasProperty(s, key);
    const std::string value = core::GetProperty(s, key);
    Check(value.find('|') == std::string::npos);
    (void)core::GetNextPropertyKey(s, key, "");
    (void)core::GetLastPropertyKey(s, "-1");
    for (const core::PropertyEntry& entry : core::PropertyEntries(s)) {
        Check(entry.key.find('|') == std::string::npos && entry.value.find('|') == std::string::npos);
    }
    (void)core::HasNestedProperty(s, key);
    (void)core::GetNestedProperty(s, key);
    (void)core::ExtractFileName(s);

    std::string edited = s;
    core::ReplaceProperty(edited, key, "new");
    core::SetNestedProperty(edited, key, "|x: 1 ");
    core::RemoveProperty(edited, key);
    const std::string beforeAdd = edited;
    core::AddProperty(edited, key, "v");
    if (!core::HasProperty(beforeAdd, key)) Check(edited == beforeAdd + "|" + key + ": v ");

    (void)core::ParseBehaviors(s, s);
    core::AlarmFontRecord font;
    core::ParseFontInformation(font, s, core::kTitleFontBlock);
    return 0;
}
