// SPDX-License-Identifier: Apache-2.0
#include "Socket.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace devio {

namespace {

struct AddrInfoFree {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

// Waits for the events on fd; false when the deadline passed first (or poll failed).
bool waitFor(int fd, short events, const Deadline& deadline, short& revents) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, deadline.remainingMs());
        if (ready > 0) {
            revents = entry.revents;
            return true;
        }
        if (ready == 0) {
            return false;
        }
        if (errno != EINTR) {
            revents = POLLERR;
            return true;
        }
    }
}

DEXO_Err connectOne(const addrinfo* address, const Deadline& deadline, Socket& out) {
    Socket socket(::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                           address->ai_protocol));
    if (!socket.valid()) {
        return kDEXO_Err_Fatal;
    }
    if (::connect(socket.fd(), address->ai_addr, address->ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            return kDEXO_Err_DeviceNotFound;
        }
        short revents = 0;
        if (!waitFor(socket.fd(), POLLOUT, deadline, revents)) {
            return kDEXO_Err_Timeout;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
            return kDEXO_Err_DeviceNotFound;
        }
    }
    // Requests are small and each waits for its answer: send them at once.
    int on = 1;
    ::setsockopt(socket.fd(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    out = std::move(socket);
    return kDEXO_Err_NoErr;
}

} // namespace

void Socket::reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

DEXO_Err Socket::connect(const SocketAddress& address, const Deadline& deadline, Socket& out) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found) != 0) {
        return kDEXO_Err_DeviceNotFound;
    }
    std::unique_ptr<addrinfo, AddrInfoFree> list(found);
    DEXO_Err result = kDEXO_Err_DeviceNotFound;
    for (const addrinfo* entry = list.get(); entry != nullptr; entry = entry->ai_next) {
        result = connectOne(entry, deadline, out);
        if (result == kDEXO_Err_NoErr || result == kDEXO_Err_Timeout) {
            break;
        }
    }
    return result;
}

DEXO_Err Socket::sendAll(const char* data, std::size_t size, const Deadline& deadline,
                         std::size_t& sent) {
    sent = 0;
    while (sent < size) {
        const ssize_t n = ::send(fd_, data + sent, size - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            short revents = 0;
            if (!waitFor(fd_, POLLOUT, deadline, revents)) {
                return kDEXO_Err_Timeout;
            }
            if ((revents & (POLLERR | POLLHUP)) != 0 && (revents & POLLOUT) == 0) {
                return kDEXO_Err_InvalidChannel;
            }
            continue;
        }
        return kDEXO_Err_InvalidChannel;
    }
    return kDEXO_Err_NoErr;
}

DEXO_Err Socket::receiveSome(std::string& into, std::size_t maxBytes, const Deadline& deadline,
                             bool& closed) {
    closed = false;
    char chunk[16384];
    for (;;) {
        const std::size_t want = maxBytes < sizeof chunk ? maxBytes : sizeof chunk;
        if (want == 0) {
            return kDEXO_Err_BufferSize;
        }
        const ssize_t n = ::recv(fd_, chunk, want, 0);
        if (n > 0) {
            into.append(chunk, static_cast<std::size_t>(n));
            return kDEXO_Err_NoErr;
        }
        if (n == 0) {
            closed = true;
            return kDEXO_Err_NoErr;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            closed = true;
            return kDEXO_Err_NoErr;
        }
        short revents = 0;
        if (!waitFor(fd_, POLLIN, deadline, revents)) {
            return kDEXO_Err_Timeout;
        }
    }
}

void Socket::takeWaiting(std::string& into, std::size_t maxBytes, bool& closed) {
    closed = false;
    char chunk[16384];
    while (maxBytes > 0) {
        const std::size_t want = maxBytes < sizeof chunk ? maxBytes : sizeof chunk;
        const ssize_t n = ::recv(fd_, chunk, want, MSG_DONTWAIT);
        if (n > 0) {
            into.append(chunk, static_cast<std::size_t>(n));
            maxBytes -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            closed = true;
        }
        return;
    }
}

DEXO_Err Socket::shutdownAndDrain(const Deadline& deadline, int lingerMs) {
    ::shutdown(fd_, SHUT_WR);
    // The kernel tells when the peer has acknowledged everything, but there is no event for it:
    // look again every few milliseconds (on a working link the first look after the round trip
    // succeeds). After that, a printer that closes its side at our end of stream is waited for
    // a little, so that it has also read what it took; one that keeps its side open costs that.
    constexpr int kAckPollMs = 5;
    bool acknowledged = false;
    Deadline linger = deadline;
    std::string discard;
    for (;;) {
        bool closed = false;
        discard.clear();
        takeWaiting(discard, 1 << 20, closed);
        if (closed) {
            return kDEXO_Err_NoErr;
        }
        if (!acknowledged) {
            int unacknowledged = 0;
            acknowledged = ::ioctl(fd_, SIOCOUTQ, &unacknowledged) == 0 && unacknowledged == 0;
            if (acknowledged) {
                linger = deadline.sooner(lingerMs);
            }
        }
        if (acknowledged && linger.passed()) {
            return kDEXO_Err_NoErr;
        }
        if (deadline.passed()) {
            return kDEXO_Err_Timeout;
        }
        short revents = 0;
        waitFor(fd_, POLLIN, acknowledged ? linger : deadline.sooner(kAckPollMs), revents);
    }
}

} // namespace devio
