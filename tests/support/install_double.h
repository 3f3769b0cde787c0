// Installs a recording double as the service of its interface and hands the test the double.
#pragma once

#include <memory>
#include <utility>

#include "platform/services/registry.h"

namespace testsupport {

template <class Interface, class Double, class... Args>
Double& InstallDouble(Args&&... args) {
    auto service = std::make_unique<Double>(std::forward<Args>(args)...);
    Double& installed = *service;
    platform::InstallService<Interface>(std::move(service));
    return installed;
}

}  // namespace testsupport
