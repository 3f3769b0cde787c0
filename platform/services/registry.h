// The service registry: the one way an outside effect is plugged into the platform.
//
// A service is an interface in platform/services/ that derives from Service and names its real
// implementation (what runs when nothing else was installed):
//
//     class Clock : public Service {
//     public:
//         static std::unique_ptr<Clock> MakeReal();
//         virtual std::int64_t UtcMs() const = 0;
//     };
//
//     UseService<Clock>().UtcMs();                       // the service in use
//     InstallService<Clock>(MakeVirtualClock(start));    // a run or a test puts in another
//     ResetServices();                                   // every service back to its real one
//
// Each service has a recording double in the test-support library (tests/support): it records
// what the code asked of the outside world and answers as the test scripts it. A run sets its
// services up in StartPlatform; a test sets them up itself (tests/support/test_services.h).
#pragma once

#include <memory>
#include <typeinfo>

namespace platform {

class Service {
public:
    virtual ~Service() = default;
};

namespace detail {
// The slot that holds the installed service of one interface; the same slot for the whole process.
std::unique_ptr<Service>& ServiceSlot(const std::type_info& interface);
}  // namespace detail

template <class S>
S& UseService() {
    static std::unique_ptr<Service>& slot = detail::ServiceSlot(typeid(S));
    if (!slot) slot = S::MakeReal();
    return static_cast<S&>(*slot);
}

// Replaces the service in use; an empty pointer puts the real implementation back.
template <class S>
void InstallService(std::unique_ptr<S> service) {
    detail::ServiceSlot(typeid(S)) = std::move(service);
}

void ResetServices();

}  // namespace platform
