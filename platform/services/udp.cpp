#include "platform/services/udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/window/loop.h"

namespace platform {
namespace {

// How long a virtual clock waits for the answer to a datagram (see BeginAwait): a peer on this
// machine answers in well under a millisecond, a busy test machine may take a few hundred.
constexpr int kAnswerAwaitMs = 1000;
constexpr std::size_t kMaxWaitingDatagrams = 64;

std::string Reason(int error) { return std::strerror(error); }

// The time since the kernel received the datagram, from its receive time stamp; 0 without one.
// Both times are the system's real time, so a jump of that clock between them could distort the
// count: it is kept between 0 and 5 s.
std::int64_t WaitedSince(msghdr& message) {
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS) continue;
        timespec received{};
        std::memcpy(&received, CMSG_DATA(c), sizeof received);
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::int64_t waited = (now.tv_sec - received.tv_sec) * 1000 + (now.tv_nsec - received.tv_nsec) / 1'000'000;
        return std::clamp<std::int64_t>(waited, 0, 5000);
    }
    return 0;
}

class SocketEndpoint final : public UdpEndpoint {
public:
    SocketEndpoint(int fd, std::uint16_t port, std::function<void(Datagram)> onDatagram)
        : fd_(fd), port_(port), onDatagram_(std::move(onDatagram)) {
        source_ = AddEventSource(fd_, [this] { ReadOne(); });
    }
    ~SocketEndpoint() override {
        RemoveEventSource(source_);
        close(fd_);
    }

    std::string Send(const std::string& address, std::uint16_t port, const std::vector<std::uint8_t>& bytes) override {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        if (inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1) return "not an IPv4 address: \"" + address + "\"";
        ssize_t n = sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        if (n < 0) return Reason(errno);
        if (static_cast<std::size_t>(n) != bytes.size()) return "only part of the datagram was sent";
        return "";
    }
    std::uint16_t LocalPort() const override { return port_; }

private:
    // One datagram per wake-up: the loop calls again while more are queued. The handler may close
    // this endpoint, so nothing of it is touched after the handler ran.
    void ReadOne() {
        sockaddr_in from{};
        ssize_t size = recvfrom(fd_, nullptr, 0, MSG_PEEK | MSG_TRUNC, nullptr, nullptr);
        if (size < 0) return;  // nothing after all (or an error the next datagram does not share)
        Datagram d;
        d.bytes.resize(static_cast<std::size_t>(size));
        iovec data{d.bytes.data(), d.bytes.size()};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
        msghdr message{};
        message.msg_name = &from;
        message.msg_namelen = sizeof from;
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        ssize_t n = recvmsg(fd_, &message, 0);
        if (n < 0) return;
        d.bytes.resize(static_cast<std::size_t>(n));
        d.waitedMs = WaitedSince(message);
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
        d.fromAddress = text;
        d.fromPort = ntohs(from.sin_port);
        auto handler = onDatagram_;
        handler(std::move(d));
    }

    int fd_;
    std::uint16_t port_;
    std::function<void(Datagram)> onDatagram_;
    int source_ = 0;
};

class SocketUdpService final : public UdpService {
public:
    std::unique_ptr<UdpEndpoint> Open(std::uint16_t localPort, std::function<void(Datagram)> onDatagram,
                                      std::string* why) override {
        int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            if (why) *why = Reason(errno);
            return nullptr;
        }
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(localPort);
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        socklen_t length = sizeof local;
        int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);  // without it, waits count 0
        if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
            if (why) *why = Reason(errno);
            close(fd);
            return nullptr;
        }
        return std::make_unique<SocketEndpoint>(fd, ntohs(local.sin_port), std::move(onDatagram));
    }
};

}  // namespace

std::unique_ptr<UdpService> UdpService::MakeReal() { return std::make_unique<SocketUdpService>(); }

void UdpSocketControl::Close() {
    endpoint_.reset();
    arrived_.clear();
    if (await_) EndAwait(await_);
    await_ = 0;
}

bool UdpSocketControl::Bind(std::uint16_t localPort) {
    Close();
    lastError_.clear();
    endpoint_ = UseService<UdpService>().Open(
        localPort,
        [this](Datagram d) {
            if (await_) EndAwait(await_);
            await_ = 0;
            long size = static_cast<long>(d.bytes.size());
            // A flood that nobody reads is not kept: the oldest datagram goes.
            if (arrived_.size() >= kMaxWaitingDatagrams) arrived_.erase(arrived_.begin());
            arrived_.push_back(std::move(d));
            auto handler = DataArrival;
            if (handler) handler(size);
        },
        &lastError_);
    return endpoint_ != nullptr;
}

bool UdpSocketControl::SendData(const std::vector<std::uint8_t>& bytes) {
    if (!endpoint_ && !Bind(0)) return false;
    lastError_ = endpoint_->Send(RemoteHost, RemotePort, bytes);
    if (!lastError_.empty()) return false;
    if (await_) EndAwait(await_);
    await_ = BeginAwait(kAnswerAwaitMs);
    return true;
}

bool UdpSocketControl::GetData(Datagram& datagram) {
    if (arrived_.empty()) {
        lastError_ = "no datagram has arrived";
        return false;
    }
    datagram = std::move(arrived_.front());
    arrived_.erase(arrived_.begin());
    return true;
}

}  // namespace platform
