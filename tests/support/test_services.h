// Each test sets up its own services: a ServiceScope puts every service back to its real
// implementation when it ends, so what one test installed never reaches the next.
#pragma once

#include "platform/services/registry.h"
#include "tests/support/install_double.h"
#include "tests/support/recording_autostart.h"
#include "tests/support/recording_clock.h"
#include "tests/support/recording_common_dialogs.h"
#include "tests/support/recording_desktop_actions.h"
#include "tests/support/recording_failure_reports.h"
#include "tests/support/recording_http.h"
#include "tests/support/recording_message_boxes.h"
#include "tests/support/recording_name_lookup.h"
#include "tests/support/recording_running_copy.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/recording_udp.h"

namespace testsupport {

class ServiceScope {
public:
    ServiceScope() { platform::ResetServices(); }
    ~ServiceScope() { platform::ResetServices(); }
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;
};

}  // namespace testsupport
