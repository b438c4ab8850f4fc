// SPDX-License-Identifier: Apache-2.0
#include "OneShotRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A client and the printer; each direction ends on its own (the library half-closes).
struct Pair {
    int a;
    int b;
    bool aEnded = false;
    bool bEnded = false;
};

// Copies what is waiting on from to to; false when from has ended or either side failed.
bool pass(int from, int to) {
    char buffer[16384];
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got <= 0)
        return false;
    ssize_t sent = 0;
    while (sent < got) {
        const ssize_t n = ::write(to, buffer + sent, static_cast<size_t>(got - sent));
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

OneShotRelay::OneShotRelay(int targetPort) : targetPort_(targetPort) {
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0 || !listenOn(0))
        return;
    thread_ = std::thread([this] { serve(); });
}

OneShotRelay::~OneShotRelay() {
    stop_ = true;
    if (wake_[1] >= 0) {
        const char byte = 0;
        (void)!::write(wake_[1], &byte, 1);
    }
    if (thread_.joinable())
        thread_.join();
    if (listener_ >= 0)
        ::close(listener_);
    for (int fd : wake_) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool OneShotRelay::listenOn(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return false;
    }
    listener_ = fd;
    port_ = ntohs(address.sin_port);
    return true;
}

void OneShotRelay::allow(int count) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        allowed_ = count;
        // The relay thread owns the listener; it opens it again when woken.
        reopen_ = true;
    }
    const char byte = 1;
    (void)!::write(wake_[1], &byte, 1);
    // Reopening is done before this returns, so a connection right after finds it listening.
    std::unique_lock<std::mutex> lock(mutex_);
    reopened_.wait_for(lock, std::chrono::seconds(5), [this] { return !reopen_; });
}

void OneShotRelay::serve() {
    std::vector<Pair> pairs;
    while (!stop_) {
        std::vector<pollfd> fds;
        fds.push_back({wake_[0], POLLIN, 0});
        if (listener_ >= 0)
            fds.push_back({listener_, POLLIN, 0});
        for (const Pair& p : pairs) {
            // An ended direction is no longer polled (its fd stays, negated, in its place).
            fds.push_back({p.aEnded ? -1 : p.a, POLLIN, 0});
            fds.push_back({p.bEnded ? -1 : p.b, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents & POLLIN) {
            char drain[64];
            while (::read(wake_[0], drain, sizeof drain) > 0) {
            }
            std::lock_guard<std::mutex> lock(mutex_);
            if (reopen_ && listener_ < 0)
                listenOn(port_);
            reopen_ = false;
            reopened_.notify_all();
            continue;
        }
        std::size_t index = 1;
        if (listener_ >= 0) {
            if (fds[index].revents & POLLIN) {
                const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
                if (client >= 0) {
                    const int printer = connectTo(targetPort_);
                    if (printer >= 0) {
                        pairs.push_back({client, printer});
                        ++relayed_;
                    } else {
                        ::close(client);
                    }
                    std::lock_guard<std::mutex> lock(mutex_);
                    if (--allowed_ <= 0) {
                        // Nobody listens now: the next connection is refused.
                        ::close(listener_);
                        listener_ = -1;
                    }
                }
                continue;
            }
            ++index;
        }
        const short ready = POLLIN | POLLHUP | POLLERR;
        for (std::size_t i = 0; i < pairs.size(); ++i, index += 2) {
            Pair& p = pairs[i];
            if (!p.aEnded && (fds[index].revents & ready) && !pass(p.a, p.b)) {
                p.aEnded = true;
                ::shutdown(p.b, SHUT_WR);
            }
            if (!p.bEnded && (fds[index + 1].revents & ready) && !pass(p.b, p.a)) {
                p.bEnded = true;
                ::shutdown(p.a, SHUT_WR);
            }
            if (p.aEnded && p.bEnded) {
                ::close(p.a);
                ::close(p.b);
                p.a = -1;
            }
        }
        std::vector<Pair> open;
        for (const Pair& p : pairs) {
            if (p.a >= 0)
                open.push_back(p);
        }
        pairs.swap(open);
    }
    for (const Pair& p : pairs) {
        ::close(p.a);
        ::close(p.b);
    }
}
