#include "platform/services/registry.h"

#include <map>
#include <typeindex>

namespace platform {
namespace {

std::map<std::type_index, std::unique_ptr<Service>>& Slots() {
    static auto* slots = new std::map<std::type_index, std::unique_ptr<Service>>;  // outlives every static user
    return *slots;
}

}  // namespace

std::unique_ptr<Service>& detail::ServiceSlot(const std::type_info& interface) { return Slots()[std::type_index(interface)]; }

void ResetServices() {
    for (auto& [type, service] : Slots()) service.reset();
}

}  // namespace platform
