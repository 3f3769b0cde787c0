// Host-name look-up: the dotted IPv4 address of a host name, answered on the message loop's thread.
// A dotted address answers itself; any other name is looked up by the system's resolver on a
// thread of its own, so a slow or absent name server never holds up the loop. Tests install the
// recording double (tests/support), which answers from a table and asks no resolver.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/services/registry.h"

namespace platform {

class NameLookupService : public Service {
public:
    static std::unique_ptr<NameLookupService> MakeReal();  // the system's resolver
    // done runs later on the loop's thread with the first IPv4 address of the name, or "" when it
    // has none (unknown name, no resolver).
    virtual void Lookup(const std::string& name, std::function<void(const std::string& address)> done) = 0;
};

}  // namespace platform
