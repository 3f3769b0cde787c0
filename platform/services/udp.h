// UDP: the datagram service and the socket control built on it.
//
// The service opens endpoints; each endpoint sends datagrams to dotted IPv4 addresses and hands
// every datagram it receives to its handler on the message loop's thread, never on another thread.
// A datagram's size is the size that arrived, however large. Tests install the recording service,
// (tests/support), which sends nothing anywhere: it records what was sent and delivers what the
// test makes arrive.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/registry.h"

namespace platform {

struct Datagram {
    std::string fromAddress;  // dotted IPv4
    std::uint16_t fromPort = 0;
    std::vector<std::uint8_t> bytes;
    // Milliseconds the datagram had waited since it reached this machine when it was read: a busy
    // process reads late, and a time answer must be dated when it came, not when it was read.
    std::int64_t waitedMs = 0;
};

class UdpEndpoint {
public:
    virtual ~UdpEndpoint() = default;
    // "" when sent, otherwise why not.
    virtual std::string Send(const std::string& address, std::uint16_t port, const std::vector<std::uint8_t>& bytes) = 0;
    virtual std::uint16_t LocalPort() const = 0;
};

class UdpService : public Service {
public:
    static std::unique_ptr<UdpService> MakeReal();  // POSIX sockets
    // Binds to the local port (0: any free one). Null, with the reason in *why, when it cannot.
    virtual std::unique_ptr<UdpEndpoint> Open(std::uint16_t localPort, std::function<void(Datagram)> onDatagram,
                                              std::string* why) = 0;
};

// The UDP socket control of a form: where requests go (RemoteHost, RemotePort), the socket bound
// by Bind and closed by Close, and DataArrival raised on the message loop with the size of each
// datagram that arrives, which GetData then takes. Failures are told by the result and
// LastError(), never thrown.
class UdpSocketControl {
public:
    UdpSocketControl() = default;
    UdpSocketControl(const UdpSocketControl&) = delete;
    UdpSocketControl& operator=(const UdpSocketControl&) = delete;

    std::string RemoteHost;  // dotted IPv4
    std::uint16_t RemotePort = 0;
    std::function<void(long bytesTotal)> DataArrival;

    void Close();
    bool Bind(std::uint16_t localPort = 0);
    bool SendData(const std::vector<std::uint8_t>& bytes);
    // The datagram that DataArrival announced (the oldest one not yet taken).
    bool GetData(Datagram& datagram);
    bool IsOpen() const { return endpoint_ != nullptr; }
    const std::string& LastError() const { return lastError_; }

private:
    std::unique_ptr<UdpEndpoint> endpoint_;
    std::vector<Datagram> arrived_;
    std::string lastError_;
    int await_ = 0;
};

}  // namespace platform
