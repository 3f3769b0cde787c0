#include "tests/support/recording_udp.h"

#include <algorithm>

#include "platform/window/loop.h"
#include "tests/support/install_double.h"

namespace testsupport {
namespace {

class RecordingEndpoint final : public platform::UdpEndpoint {
public:
    RecordingEndpoint(std::shared_ptr<RecordingUdpService::State> state, std::uint16_t port)
        : state_(std::move(state)), port_(port) {}
    ~RecordingEndpoint() override {
        auto& open = state_->open;
        open.erase(std::remove_if(open.begin(), open.end(), [this](auto& e) { return e.first == port_; }), open.end());
    }
    std::string Send(const std::string& address, std::uint16_t port, const std::vector<std::uint8_t>& bytes) override {
        if (!state_->sendFailure.empty()) return state_->sendFailure;
        state_->sent.push_back({port_, address, port, bytes});
        return "";
    }
    std::uint16_t LocalPort() const override { return port_; }

private:
    std::shared_ptr<RecordingUdpService::State> state_;
    std::uint16_t port_;
};

}  // namespace

std::unique_ptr<platform::UdpEndpoint> RecordingUdpService::Open(std::uint16_t localPort,
                                                                 std::function<void(platform::Datagram)> onDatagram,
                                                                 std::string*) {
    std::uint16_t port = localPort ? localPort : state_->nextPort++;
    state_->open.emplace_back(port, std::move(onDatagram));
    return std::make_unique<RecordingEndpoint>(state_, port);
}

void RecordingUdpService::Arrive(platform::Datagram datagram, std::uint16_t toPort) {
    platform::PostTask([state = state_, datagram = std::move(datagram), toPort]() mutable {
        if (state->open.empty()) return;  // nobody listens: the datagram is lost, as on a network
        auto it = state->open.end() - 1;
        if (toPort) it = std::find_if(state->open.begin(), state->open.end(), [&](auto& e) { return e.first == toPort; });
        if (it == state->open.end()) return;
        auto handler = it->second;
        handler(std::move(datagram));
    });
}

RecordingUdpService& UseRecordingUdp() { return InstallDouble<platform::UdpService, RecordingUdpService>(); }

}  // namespace testsupport
