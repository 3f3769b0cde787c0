// Host-name look-up: the dotted IPv4 address of a host name, answered on the message loop's thread.
// A dotted address answers itself; any other name is looked up by the system's resolver on a
// thread of its own, so a slow or absent name server never holds up the loop. Tests install the
// recording double, which answers from a table and asks no resolver.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class NameLookupService {
public:
    virtual ~NameLookupService() = default;
    // done runs later on the loop's thread with the first IPv4 address of the name, or "" when it
    // has none (unknown name, no resolver).
    virtual void Lookup(const std::string& name, std::function<void(const std::string& address)> done) = 0;
};

std::unique_ptr<NameLookupService> MakeResolverNameLookup();
NameLookupService& CurrentNameLookup();
void InstallNameLookup(std::unique_ptr<NameLookupService> service);

class RecordingNameLookup final : public NameLookupService {
public:
    void Lookup(const std::string& name, std::function<void(const std::string& address)> done) override;
    // A dotted address answers itself; other names answer from this table, "" when not listed.
    std::map<std::string, std::string> addresses;
    std::vector<std::string> asked;
};

}  // namespace platform
