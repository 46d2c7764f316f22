#include "Relay.h"

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace arb::bench {

using Clock = std::chrono::steady_clock;

namespace {
// One direction's bytes, each chunk held until it is due at the far side.
struct Lane
{
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<std::pair<Clock::time_point, std::string>> chunks;
    bool closed = false;
};

void noDelay(int fd)
{
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}
} // namespace

struct Relay::Link
{
    int client = -1;
    int server = -1;
    Lane up, down;
    // The client is in its turn: what it writes now belongs to the round
    // trip already counted.
    std::atomic<bool> clientTurn{false};
    ~Link()
    {
        if (client >= 0)
            close(client);
        if (server >= 0)
            close(server);
    }
};

Relay::Relay(const QString &upstreamHost, int upstreamPort, double rttMs)
    : m_host(upstreamHost.toStdString())
    , m_upstreamPort(upstreamPort)
    , m_delayUs(static_cast<long long>(rttMs * 500.0))
{
    m_listen = socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (bind(m_listen, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || listen(m_listen, 64) != 0)
        throw std::runtime_error("relay: cannot listen on 127.0.0.1");
    socklen_t len = sizeof addr;
    getsockname(m_listen, reinterpret_cast<sockaddr *>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

Relay::~Relay()
{
    m_stop = true;
    shutdown(m_listen, SHUT_RDWR);
    close(m_listen);
    m_acceptor.join();
}

Relay::Counts Relay::counts() const
{
    return {m_tally->roundTrips.load(), m_tally->bytesToClient.load(), m_tally->connections.load()};
}

void Relay::reset()
{
    m_tally->roundTrips = 0;
    m_tally->bytesToClient = 0;
    m_tally->connections = 0;
}

void Relay::acceptLoop()
{
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        const int client = accept(m_listen, nullptr, nullptr);
        if (client < 0)
            continue;
        auto link = std::make_shared<Link>();
        link->client = client;
        link->server = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(uint16_t(m_upstreamPort));
        inet_pton(AF_INET, m_host.c_str(), &addr.sin_addr);
        if (connect(link->server, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0)
            continue; // the client sees the connection close
        noDelay(client);
        noDelay(link->server);
        ++m_tally->connections;
        // Each direction: a reader that stamps chunks and a writer that sends
        // them when due, so that a stream is delayed once, not per chunk.
        std::thread(pump, link, m_tally, m_delayUs, true).detach();
        std::thread(pump, link, m_tally, m_delayUs, false).detach();
    }
}

void Relay::pump(std::shared_ptr<Link> link, std::shared_ptr<Tally> tally, long long delayUs, bool fromClient)
{
    const int in = fromClient ? link->client : link->server;
    const int out = fromClient ? link->server : link->client;
    Lane &lane = fromClient ? link->up : link->down;
    std::thread writer([&lane, out] {
        for (;;) {
            std::unique_lock lock(lane.mutex);
            lane.ready.wait(lock, [&] { return lane.closed || !lane.chunks.empty(); });
            if (lane.chunks.empty())
                break;
            auto [due, data] = std::move(lane.chunks.front());
            lane.chunks.pop_front();
            lock.unlock();
            std::this_thread::sleep_until(due);
            for (size_t sent = 0; sent < data.size();) {
                const ssize_t n = send(out, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    return;
                sent += size_t(n);
            }
        }
        shutdown(out, SHUT_WR);
    });
    char buf[65536];
    for (;;) {
        const ssize_t n = recv(in, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        if (fromClient) {
            if (!link->clientTurn.exchange(true))
                ++tally->roundTrips;
        } else {
            link->clientTurn = false;
            tally->bytesToClient += n;
        }
        std::lock_guard lock(lane.mutex);
        lane.chunks.emplace_back(Clock::now() + std::chrono::microseconds(delayUs), std::string(buf, size_t(n)));
        lane.ready.notify_one();
    }
    {
        std::lock_guard lock(lane.mutex);
        lane.closed = true;
        lane.ready.notify_one();
    }
    writer.join();
}

} // namespace arb::bench
