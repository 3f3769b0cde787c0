// The recording name look-up: asks no resolver. A dotted address answers itself; other names
// answer from the table (the address at the time of the look-up, "" when not listed), through the
// message loop as a real answer comes.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/services/name_lookup.h"

namespace testsupport {

class RecordingNameLookup final : public platform::NameLookupService {
public:
    void Lookup(const std::string& name, std::function<void(const std::string& address)> done) override;
    std::map<std::string, std::string> addresses;
    std::vector<std::string> asked;
};

RecordingNameLookup& UseRecordingNameLookup();

}  // namespace testsupport
