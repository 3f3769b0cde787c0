#include "platform/services/name_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <thread>

#include "platform/window/loop.h"

namespace platform {
namespace {

// How long a virtual clock waits for a look-up (see BeginAwait).
constexpr int kLookupAwaitMs = 2000;

bool IsDottedAddress(const std::string& name) {
    in_addr address{};
    return inet_pton(AF_INET, name.c_str(), &address) == 1;
}

std::string FirstIpv4Address(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return "";
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr, text, sizeof text);
    freeaddrinfo(found);
    return text;
}

// Hands the answer to the loop's thread and ends the wait for it there.
void Answer(int await, std::function<void(const std::string&)> done, std::string address) {
    PostTask([await, done = std::move(done), address = std::move(address)] {
        EndAwait(await);
        done(address);
    });
}

class ResolverNameLookup final : public NameLookupService {
public:
    void Lookup(const std::string& name, std::function<void(const std::string&)> done) override {
        int await = BeginAwait(kLookupAwaitMs);
        if (name.empty() || IsDottedAddress(name)) {
            Answer(await, std::move(done), name);
            return;
        }
        // The thread touches nothing but its own copies; its answer goes through the loop.
        std::thread([await, name, done = std::move(done)]() mutable {
            Answer(await, std::move(done), FirstIpv4Address(name));
        }).detach();
    }
};

}  // namespace

std::unique_ptr<NameLookupService> NameLookupService::MakeReal() { return std::make_unique<ResolverNameLookup>(); }

}  // namespace platform
