// SPDX-License-Identifier: Apache-2.0
#include "Socket.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/sockios.h>
#include <linux/tcp.h>
#include <netdb.h>
#include <netinet/in.h>
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

// How often the kernel is asked whether the peer has acknowledged everything: there is no
// event for it (on a working link the first look after the round trip succeeds).
constexpr int kAckPollMs = 5;

bool connectionLost(int error) {
    return error != EAGAIN && error != EWOULDBLOCK && error != EINTR;
}

} // namespace

void Socket::reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
    written_ = 0;
    peerEnded_ = false;
    reset_ = false;
    endedBeforeReset_ = false;
    endSent_ = false;
    endSentBeforeReset_ = false;
}

void Socket::take(Socket& other) {
    written_ = other.written_;
    peerEnded_ = other.peerEnded_;
    reset_ = other.reset_;
    endedBeforeReset_ = other.endedBeforeReset_;
    endSent_ = other.endSent_;
    endSentBeforeReset_ = other.endSentBeforeReset_;
    fd_ = other.release();
    other.reset();
}

void Socket::noteReset() {
    if (!reset_) {
        reset_ = true;
        endedBeforeReset_ = peerEnded_;
        endSentBeforeReset_ = endSent_;
    }
}

bool Socket::resetNow() {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        noteReset();
    }
    return reset_;
}

// Every byte written, our end of stream included, is acknowledged (or the queue was emptied by
// a reset: look for one after this).
bool Socket::queueAcknowledged() const {
    int unacknowledged = 0;
    return ::ioctl(fd_, SIOCOUTQ, &unacknowledged) == 0 && unacknowledged == 0;
}

// The kernel counts the connection's SYN among the bytes acknowledged.
bool Socket::allAcknowledged() const {
    tcp_info info{};
    socklen_t length = sizeof info;
    if (::getsockopt(fd_, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 ||
        length < offsetof(tcp_info, tcpi_bytes_acked) + sizeof info.tcpi_bytes_acked) {
        return false;
    }
    return info.tcpi_bytes_acked >= written_ + 1;
}

// A reset drops what the peer had not read, and answers bytes that come after its close. After
// an orderly close, what it acknowledged had come before the close and was read; a reset before
// our end of stream means the printer closed with bytes unread. A reset after our end of stream
// may be a printer that read everything, saw the end and aborted: that one cannot be told.
Delivery Socket::ending() const {
    if (!reset_) {
        return Delivery::Taken;
    }
    if (endedBeforeReset_) {
        return allAcknowledged() ? Delivery::Taken : Delivery::Lost;
    }
    return endSentBeforeReset_ ? Delivery::Unsure : Delivery::Lost;
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
            written_ += static_cast<std::uint64_t>(n);
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
                noteReset();
                return kDEXO_Err_InvalidChannel;
            }
            continue;
        }
        // The caller's bytes cannot be read (a mapped file cut short meanwhile), or the system is
        // short of memory: the connection itself is sound, and nothing is to be sent again.
        if (errno == EFAULT) {
            return kDEXO_Err_InvalidAddress;
        }
        if (errno == ENOMEM || errno == ENOBUFS) {
            return kDEXO_Err_Nomem;
        }
        noteReset();
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
            peerEnded_ = true;
            closed = true;
            return kDEXO_Err_NoErr;
        }
        if (errno == EINTR) {
            continue;
        }
        if (connectionLost(errno)) {
            noteReset();
            closed = true;
            return kDEXO_Err_NoErr;
        }
        short revents = 0;
        if (!waitFor(fd_, POLLIN, deadline, revents)) {
            return kDEXO_Err_Timeout;
        }
    }
}

void Socket::awaitPeer(const Deadline& deadline) {
    short revents = 0;
    waitFor(fd_, POLLIN | POLLRDHUP, deadline, revents);
}

PeerEnd Socket::takeWaiting(std::string& into, std::size_t maxBytes) {
    char chunk[16384];
    while (maxBytes > 0 && !peerEnded_ && !reset_) {
        const std::size_t want = maxBytes < sizeof chunk ? maxBytes : sizeof chunk;
        const ssize_t n = ::recv(fd_, chunk, want, MSG_DONTWAIT);
        if (n > 0) {
            into.append(chunk, static_cast<std::size_t>(n));
            maxBytes -= static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) {
            peerEnded_ = true;
        } else if (errno == EINTR) {
            continue;
        } else if (connectionLost(errno)) {
            noteReset();
        }
        break;
    }
    // After the end of stream the kernel keeps answering reads with it, even once a reset has
    // come: only the socket's error tells.
    if (resetNow()) {
        return PeerEnd::Reset;
    }
    return peerEnded_ ? PeerEnd::Closed : PeerEnd::Open;
}

Delivery Socket::settle(const Deadline& deadline) {
    for (;;) {
        // Looked at in this order, a reset that empties the send queue is never taken for
        // acknowledgement.
        const bool acknowledged = queueAcknowledged();
        if (resetNow() || acknowledged) {
            return ending();
        }
        if (deadline.passed()) {
            return Delivery::TimedOut;
        }
        ::poll(nullptr, 0, deadline.sooner(kAckPollMs).remainingMs());
    }
}

Delivery Socket::shutdownAndDrain(const Deadline& deadline, int lingerMs) {
    // A reset that is here already cannot be the answer to our end of stream.
    resetNow();
    ::shutdown(fd_, SHUT_WR);
    endSent_ = true;
    // Once the peer has acknowledged everything, a printer that closes its side at our end of
    // stream is waited for a little, so that it has also read what it took; one that keeps its
    // side open costs that.
    bool acknowledged = false;
    Deadline linger = deadline;
    std::string discard;
    for (;;) {
        discard.clear();
        const PeerEnd end = takeWaiting(discard, 1 << 20);
        if (end == PeerEnd::Reset) {
            return ending();
        }
        if (end == PeerEnd::Closed) {
            return settle(deadline);
        }
        if (!acknowledged) {
            acknowledged = queueAcknowledged();
            if (acknowledged) {
                linger = deadline.sooner(lingerMs);
            }
        }
        if (acknowledged && linger.passed()) {
            return resetNow() ? ending() : Delivery::Taken;
        }
        if (deadline.passed()) {
            return Delivery::TimedOut;
        }
        short revents = 0;
        waitFor(fd_, POLLIN, acknowledged ? linger : deadline.sooner(kAckPollMs), revents);
    }
}

} // namespace devio
