#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace arb::bench {

// A TCP relay on 127.0.0.1 in front of a server, adding half the round-trip
// time to each direction as an office network would, and counting what
// crosses it. A round trip is a burst from the client that the server
// answers: the client writing again after the server has answered starts the
// next one.
class Relay
{
public:
    Relay(const QString &upstreamHost, int upstreamPort, double rttMs);
    ~Relay();
    Relay(const Relay &) = delete;
    Relay &operator=(const Relay &) = delete;

    int port() const { return m_port; }

    struct Counts
    {
        long long roundTrips = 0;
        long long bytesToClient = 0;
        long long connections = 0;
    };
    Counts counts() const;
    void reset();

private:
    struct Link;
    struct Tally
    {
        std::atomic<long long> roundTrips{0};
        std::atomic<long long> bytesToClient{0};
        std::atomic<long long> connections{0};
    };
    void acceptLoop();
    // Runs detached: holds the tally, not the relay, which may go first.
    static void pump(std::shared_ptr<Link> link, std::shared_ptr<Tally> tally, long long delayUs, bool fromClient);

    std::string m_host;
    int m_upstreamPort;
    long long m_delayUs;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::shared_ptr<Tally> m_tally = std::make_shared<Tally>();
    std::thread m_acceptor;
};

} // namespace arb::bench
