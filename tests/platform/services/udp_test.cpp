// Real UDP sockets on loopback through the message loop, the socket control, the wait a virtual
// clock makes for an answer, and the name look-up.
#include "platform/services/udp.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/services/clock.h"
#include "platform/services/name_lookup.h"
#include "platform/window/loop.h"
#include "tests/support/test_services.h"

using namespace platform;

namespace {

// Runs the loop until done() or the real time is over (a virtual clock jumps, so real time bounds it).
bool RunUntilDone(const std::function<bool()>& done, std::chrono::milliseconds realLimit = std::chrono::seconds(5)) {
    auto limit = std::chrono::steady_clock::now() + realLimit;
    while (!done() && std::chrono::steady_clock::now() < limit) {
        PumpPendingWork();
        RunFor(1);
    }
    return done();
}

// A plain socket of the test's own on 127.0.0.1, standing for a peer.
struct Peer {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    std::uint16_t port = 0;
    Peer() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof a;
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
        port = ntohs(a.sin_port);
    }
    ~Peer() { close(fd); }
    void SendTo(std::uint16_t to, std::size_t size) const {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(to);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    std::vector<std::uint8_t> Receive(std::uint16_t* fromPort) const {
        std::vector<std::uint8_t> bytes(2048);
        sockaddr_in a{};
        socklen_t n = sizeof a;
        timeval wait{5, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        ssize_t got = recvfrom(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), &n);
        bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        *fromPort = ntohs(a.sin_port);
        return bytes;
    }
};

struct Udp : ::testing::Test {
    testsupport::ServiceScope services;
    void SetUp() override {
        InstallService<Clock>(MakeSystemClock());
        InstallService<UdpService>(nullptr);
    }
};

}  // namespace

TEST_F(Udp, TheControlSendsAndEachArrivalCarriesTheSizeReceivedAndItsSender) {
    Peer peer;
    UdpSocketControl ws;
    std::vector<long> sizes;
    ws.DataArrival = [&](long bytesTotal) { sizes.push_back(bytesTotal); };
    ASSERT_TRUE(ws.Bind(0)) << ws.LastError();
    ws.RemoteHost = "127.0.0.1";
    ws.RemotePort = peer.port;
    ASSERT_TRUE(ws.SendData({1, 2, 3}));
    std::uint16_t localPort = 0;
    EXPECT_EQ(peer.Receive(&localPort), (std::vector<std::uint8_t>{1, 2, 3}));

    for (std::size_t size : {std::size_t{48}, std::size_t{0}, std::size_t{47}, std::size_t{1200}, std::size_t{9000}})
        peer.SendTo(localPort, size);
    ASSERT_TRUE(RunUntilDone([&] { return sizes.size() == 5; }));
    EXPECT_EQ(sizes, (std::vector<long>{48, 0, 47, 1200, 9000}));
    for (long size : sizes) {
        Datagram d;
        ASSERT_TRUE(ws.GetData(d));
        EXPECT_EQ(static_cast<long>(d.bytes.size()), size);
        EXPECT_EQ(d.fromAddress, "127.0.0.1");
        EXPECT_EQ(d.fromPort, peer.port);
        if (size > 47) {
            EXPECT_EQ(d.bytes[47], 47);
        }
    }
    Datagram none;
    EXPECT_FALSE(ws.GetData(none));
    EXPECT_FALSE(ws.LastError().empty());
}

TEST_F(Udp, AClosedControlHearsNothingAndAHandlerMayCloseIt) {
    Peer peer;
    UdpSocketControl ws;
    int arrivals = 0;
    ws.DataArrival = [&](long) {
        ++arrivals;
        ws.Close();  // from inside its own event
    };
    ASSERT_TRUE(ws.Bind(0));
    ws.RemoteHost = "127.0.0.1";
    ws.RemotePort = peer.port;
    ASSERT_TRUE(ws.SendData({9}));
    std::uint16_t localPort = 0;
    peer.Receive(&localPort);
    peer.SendTo(localPort, 48);
    peer.SendTo(localPort, 48);
    ASSERT_TRUE(RunUntilDone([&] { return arrivals == 1; }));
    RunUntilDone([] { return false; }, std::chrono::milliseconds(200));  // a second datagram's chance
    EXPECT_EQ(arrivals, 1);
    EXPECT_FALSE(ws.IsOpen());
}

TEST_F(Udp, FailuresAreToldWithTheirReason) {
    UdpSocketControl ws;
    ws.RemoteHost = "time.example";  // a name, not an address
    ws.RemotePort = 123;
    EXPECT_FALSE(ws.SendData({1}));
    EXPECT_NE(ws.LastError().find("not an IPv4 address"), std::string::npos);
    // A port held by another socket cannot be bound again.
    int holder = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    bind(holder, reinterpret_cast<sockaddr*>(&any), sizeof any);
    socklen_t n = sizeof any;
    getsockname(holder, reinterpret_cast<sockaddr*>(&any), &n);
    UdpSocketControl clash;
    EXPECT_FALSE(clash.Bind(ntohs(any.sin_port)));
    EXPECT_EQ(clash.LastError(), "Address already in use");
    close(holder);
}

TEST_F(Udp, AVirtualClockStandsStillWhileAPeerAnswers) {
    InstallService<Clock>(MakeVirtualClock(1'772'366'400'000));
    Peer peer;
    UdpSocketControl ws;
    std::int64_t arrivedAt = -1;
    ws.DataArrival = [&](long) { arrivedAt = CurrentClock().MonotonicMs(); };
    ws.RemoteHost = "127.0.0.1";
    ws.RemotePort = peer.port;
    std::int64_t sentAt = CurrentClock().MonotonicMs();
    ASSERT_TRUE(ws.SendData({1}));
    // The peer takes 100 ms of real time; the virtual clock would otherwise run 10 s in that time.
    std::thread answer([&] {
        std::uint16_t to = 0;
        peer.Receive(&to);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        peer.SendTo(to, 48);
    });
    RunFor(10'000);
    answer.join();
    EXPECT_EQ(arrivedAt, sentAt);
    EXPECT_EQ(CurrentClock().MonotonicMs(), sentAt + 10'000);
}

TEST_F(Udp, AVirtualClockWaitsOnlyABoundedTimeForAPeerThatIsSilent) {
    InstallService<Clock>(MakeVirtualClock(1'772'366'400'000));
    Peer silent;
    UdpSocketControl ws;
    ws.RemoteHost = "127.0.0.1";
    ws.RemotePort = silent.port;
    ASSERT_TRUE(ws.SendData({1}));
    auto start = std::chrono::steady_clock::now();
    RunFor(60'000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST(NameLookup, AddressesAnswerThemselvesAndLocalhostIsLoopback) {
    testsupport::ServiceScope services;
    InstallService<Clock>(MakeSystemClock());
    std::map<std::string, std::string> answers;
    for (const char* name : {"127.0.0.5", "localhost", ""})
        UseService<NameLookupService>().Lookup(name, [&answers, n = std::string(name)](const std::string& a) { answers[n] = a; });
    EXPECT_TRUE(answers.empty());  // never before the loop runs
    ASSERT_TRUE(RunUntilDone([&] { return answers.size() == 3; }));
    EXPECT_EQ(answers["127.0.0.5"], "127.0.0.5");
    EXPECT_EQ(answers["localhost"], "127.0.0.1");
    EXPECT_EQ(answers[""], "");
}

TEST(RecordingUdp, RecordsSendsAndDeliversArrivalsThroughTheLoop) {
    testsupport::ServiceScope services;
    InstallService<Clock>(MakeVirtualClock(0));
    testsupport::RecordingUdpService& udp = testsupport::UseRecordingUdp();
    UdpSocketControl ws;
    std::vector<long> sizes;
    ws.DataArrival = [&](long n) { sizes.push_back(n); };
    ws.RemoteHost = "127.0.0.1";
    ws.RemotePort = 123;
    ASSERT_TRUE(ws.SendData({0x1B}));
    ASSERT_EQ(udp.SentDatagrams().size(), 1u);
    EXPECT_EQ(udp.SentDatagrams()[0].address, "127.0.0.1");
    udp.Arrive({"127.0.0.1", 123, std::vector<std::uint8_t>(48)});
    EXPECT_TRUE(sizes.empty());
    PumpPendingWork();
    EXPECT_EQ(sizes, std::vector<long>{48});
    udp.FailSends("Network is unreachable");
    EXPECT_FALSE(ws.SendData({1}));
    EXPECT_EQ(ws.LastError(), "Network is unreachable");
    ws.Close();
    EXPECT_EQ(udp.OpenEndpoints(), 0);
}
