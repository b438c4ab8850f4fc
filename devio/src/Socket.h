// SPDX-License-Identifier: Apache-2.0
// A TCP connection to a printer, closed by its owner on every path.
#ifndef DEVIO_SOCKET_H
#define DEVIO_SOCKET_H

#include "Deadline.h"
#include "Uri.h"
#include "dexo1.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace devio {

// How the printer's side of a connection stands: still open, ended in order (every byte it took
// was read), or reset.
enum class PeerEnd { Open, Closed, Reset };

// What became of the bytes written over a connection that has ended or is ending. A reset means
// the printer's side dropped bytes unread (Lost), unless it had closed in order first and had
// already acknowledged every byte: then only our end of stream came too late (Taken). A reset
// that came only after our end of stream, without an orderly close before it, is Unsure: the
// printer may have read everything and then aborted the connection, or dropped the last bytes.
enum class Delivery { Taken, Lost, Unsure, TimedOut };

class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() { reset(); }
    Socket(Socket&& other) noexcept { take(other); }
    Socket& operator=(Socket&& other) noexcept {
        if (this != &other) {
            reset();
            take(other);
        }
        return *this;
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const { return fd_ >= 0; }
    // The peer has ended its side, or the connection was reset: nothing more comes over it.
    bool ended() const { return peerEnded_ || reset_; }
    int fd() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1);

    // Connects to the address before the deadline; kDEXO_Err_DeviceNotFound when the name does
    // not resolve or every address refuses, kDEXO_Err_Timeout when the deadline passes first.
    static DEXO_Err connect(const SocketAddress& address, const Deadline& deadline, Socket& out);

    // Sends all bytes unless the deadline passes or the peer goes away; sent tells how many went.
    DEXO_Err sendAll(const char* data, std::size_t size, const Deadline& deadline,
                     std::size_t& sent);

    // Waits for bytes and appends what is there, at most maxBytes. kDEXO_Err_NoErr with
    // closed=true when the peer has ended the stream.
    DEXO_Err receiveSome(std::string& into, std::size_t maxBytes, const Deadline& deadline,
                         bool& closed);

    // Waits until bytes, the peer's end of stream or a reset arrive, or the deadline passes.
    void awaitPeer(const Deadline& deadline);

    // Appends what has already arrived, at most maxBytes, without waiting, and tells how the
    // peer's side stands.
    PeerEnd takeWaiting(std::string& into, std::size_t maxBytes);

    // Once the peer has ended its side: waits until every byte written is acknowledged or the
    // connection is reset, and tells which.
    Delivery settle(const Deadline& deadline);

    // Ends our direction and waits until the peer closes its own, discarding what it still
    // sends; or, for a peer that keeps its side open, until it has acknowledged every byte
    // written (our end of stream included) and lingerMs more have passed.
    Delivery shutdownAndDrain(const Deadline& deadline, int lingerMs);

private:
    void take(Socket& other);
    // Reads a pending connection error, if any, and keeps it in mind.
    bool resetNow();
    void noteReset();
    bool queueAcknowledged() const;
    bool allAcknowledged() const;
    Delivery ending() const;

    int fd_ = -1;
    std::uint64_t written_ = 0; // bytes sent over this connection
    bool peerEnded_ = false;    // the peer's end of stream has been read
    bool reset_ = false;        // the connection was reset
    bool endedBeforeReset_ = false;
    bool endSent_ = false; // our end of stream has gone
    bool endSentBeforeReset_ = false;
};

} // namespace devio

#endif
