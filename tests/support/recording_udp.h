// The recording UDP service: nothing is sent anywhere. Sends are kept in order; Arrive delivers a
// datagram to the endpoint bound to a port (the last one opened when the port is 0) through the
// message loop, as a real arrival comes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/services/udp.h"

namespace testsupport {

class RecordingUdpService final : public platform::UdpService {
public:
    struct Sent {
        std::uint16_t fromPort;
        std::string address;
        std::uint16_t port;
        std::vector<std::uint8_t> bytes;
    };
    struct State {
        std::vector<Sent> sent;
        std::vector<std::pair<std::uint16_t, std::function<void(platform::Datagram)>>> open;
        std::uint16_t nextPort = 40000;
        std::string sendFailure;
    };

    std::unique_ptr<platform::UdpEndpoint> Open(std::uint16_t localPort,
                                                std::function<void(platform::Datagram)> onDatagram,
                                                std::string* why) override;
    const std::vector<Sent>& SentDatagrams() const { return state_->sent; }
    void Arrive(platform::Datagram datagram, std::uint16_t toPort = 0);
    int OpenEndpoints() const { return static_cast<int>(state_->open.size()); }
    // Every send fails with this reason while it is not "".
    void FailSends(std::string reason) { state_->sendFailure = std::move(reason); }

private:
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

RecordingUdpService& UseRecordingUdp();

}  // namespace testsupport
