#include <gtest/gtest.h>

#include "platform/services/clock.h"
#include "platform/services/registry.h"
#include "tests/support/test_services.h"

using namespace platform;

namespace {

class Greeter : public Service {
public:
    static std::unique_ptr<Greeter> MakeReal();
    virtual std::string Greet() const = 0;
};

class RealGreeter final : public Greeter {
public:
    std::string Greet() const override { return "real"; }
};
std::unique_ptr<Greeter> Greeter::MakeReal() { return std::make_unique<RealGreeter>(); }

class StandInGreeter final : public Greeter {
public:
    std::string Greet() const override { return "stand-in"; }
};

}  // namespace

TEST(ServiceRegistry, GivesTheRealServiceUntilAnotherIsInstalledAndAfterAReset) {
    testsupport::ServiceScope scope;
    EXPECT_EQ(UseService<Greeter>().Greet(), "real");
    InstallService<Greeter>(std::make_unique<StandInGreeter>());
    EXPECT_EQ(UseService<Greeter>().Greet(), "stand-in");
    InstallService<Greeter>(nullptr);
    EXPECT_EQ(UseService<Greeter>().Greet(), "real") << "an empty install puts the real one back";
    InstallService<Greeter>(std::make_unique<StandInGreeter>());
    ResetServices();
    EXPECT_EQ(UseService<Greeter>().Greet(), "real");
    EXPECT_FALSE(UseService<Clock>().IsVirtual()) << "the real clock is the system's";
}

TEST(ServiceRegistry, TheRecordingClockRecordsSetsAndLeavesTheMachineClockAlone) {
    testsupport::ServiceScope scope;
    auto& clock = testsupport::UseRecordingClock(1'800'000'000'000);
    SYSTEMTIME st = UtcMsToSystemTime(1'700'000'000'000);
    EXPECT_EQ(SetSystemTime(&st), 1);
    EXPECT_EQ(CurrentClock().UtcMs(), 1'700'000'000'000);
    clock.RefuseSets(true);
    EXPECT_EQ(SetSystemTime(&st), 0) << "a refusal reaches the caller";
    EXPECT_EQ(clock.Sets(), (std::vector<std::int64_t>{1'700'000'000'000, 1'700'000'000'000}));
}
