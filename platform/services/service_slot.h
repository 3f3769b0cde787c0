// One installed implementation of an outside service: made by its default maker on first use,
// replaced by Install (tests install recording doubles, the program its real services).
#pragma once

#include <memory>
#include <utility>

namespace platform {

template <class Service>
class ServiceSlot {
public:
    using Maker = std::unique_ptr<Service> (*)();
    explicit ServiceSlot(Maker makeDefault) : makeDefault_(makeDefault) {}

    Service& Get() {
        if (!held_) held_ = makeDefault_();
        return *held_;
    }
    // Installing nothing puts the default back.
    void Install(std::unique_ptr<Service> service) { held_ = std::move(service); }

private:
    Maker makeDefault_;
    std::unique_ptr<Service> held_;
};

}  // namespace platform
