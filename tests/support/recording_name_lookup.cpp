#include "tests/support/recording_name_lookup.h"

#include <arpa/inet.h>

#include "platform/window/loop.h"
#include "tests/support/install_double.h"

namespace testsupport {

void RecordingNameLookup::Lookup(const std::string& name, std::function<void(const std::string&)> done) {
    asked.push_back(name);
    in_addr dotted{};
    auto it = addresses.find(name);
    std::string address = inet_pton(AF_INET, name.c_str(), &dotted) == 1 ? name : it == addresses.end() ? "" : it->second;
    platform::PostTask([done = std::move(done), address] { done(address); });
}

RecordingNameLookup& UseRecordingNameLookup() {
    return InstallDouble<platform::NameLookupService, RecordingNameLookup>();
}

}  // namespace testsupport
