// A virtual clock that records every setting of the wall time instead of touching the machine's,
// and can refuse as a system without the permission does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/clock.h"

namespace testsupport {

class RecordingClock final : public platform::Clock {
public:
    explicit RecordingClock(std::int64_t startUtcMs);

    std::int64_t MonotonicMs() const override;
    std::int64_t UtcMs() const override;
    bool SetUtcMs(std::int64_t utcMs) override;
    std::string LastSetError() const override { return refuse_ ? "Operation not permitted" : ""; }
    bool IsVirtual() const override { return true; }
    void Advance(std::int64_t ms) override;

    // Every wall time the code asked for, refused or not, in order.
    const std::vector<std::int64_t>& Sets() const { return sets_; }
    void RefuseSets(bool refuse) { refuse_ = refuse; }

private:
    std::unique_ptr<platform::Clock> clock_;
    std::vector<std::int64_t> sets_;
    bool refuse_ = false;
};

// Installs a recording clock that starts at the given UTC time and returns it.
RecordingClock& UseRecordingClock(std::int64_t startUtcMs);

}  // namespace testsupport
