// SPDX-License-Identifier: Apache-2.0
// A TCP connection to a printer, closed by its owner on every path.
#ifndef DEVIO_SOCKET_H
#define DEVIO_SOCKET_H

#include "Deadline.h"
#include "Uri.h"
#include "dexo1.h"

#include <cstddef>
#include <string>

namespace devio {

class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() { reset(); }
    Socket(Socket&& other) noexcept : fd_(other.release()) {}
    Socket& operator=(Socket&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const { return fd_ >= 0; }
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

    // Appends what has already arrived, at most maxBytes, without waiting; closed=true when the
    // peer has ended the stream (or the connection failed).
    void takeWaiting(std::string& into, std::size_t maxBytes, bool& closed);

    // Ends our direction and waits until the peer closes its own, discarding what it still
    // sends; or, for a peer that keeps its side open, until it has acknowledged every byte
    // written (our end of stream included) and lingerMs more have passed.
    DEXO_Err shutdownAndDrain(const Deadline& deadline, int lingerMs);

private:
    int fd_ = -1;
};

} // namespace devio

#endif
