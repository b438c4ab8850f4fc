// SPDX-License-Identifier: Apache-2.0
// A tiny TCP peer for the device library's tests: listens on a free loopback port and serves
// each connection, one after the other, with the test's own handler.
#ifndef TESTS_DEVIO_TCPPEER_H
#define TESTS_DEVIO_TCPPEER_H

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TcpPeer {
public:
    class Connection {
    public:
        Connection(int fd, int stopFd) : fd_(fd), stopFd_(stopFd) {}
        // Reads until needle has arrived (true) or the peer ends / the test stops (false).
        bool readUntil(const std::string& needle) {
            while (received.find(needle) == std::string::npos) {
                if (!readSome()) {
                    return false;
                }
            }
            return true;
        }
        // Reads until at least count bytes have arrived in all.
        bool readAtLeast(std::size_t count) {
            while (received.size() < count) {
                if (!readSome()) {
                    return false;
                }
            }
            return true;
        }
        // Waits, reading nothing, until count bytes have arrived unread (false after 10 s).
        bool waitUnread(std::size_t count) {
            for (int i = 0; i < 10000; ++i) {
                int waiting = 0;
                if (::ioctl(fd_, FIONREAD, &waiting) == 0 &&
                    static_cast<std::size_t>(waiting) >= count) {
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return false;
        }
        // Ends the connection with a reset instead of an orderly close, as some printers do.
        void abortOnClose() {
            linger off{1, 0};
            ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &off, sizeof off);
        }
        // Reads until the other side closes its direction.
        void readToEnd() {
            while (readSome()) {
            }
        }
        void send(const std::string& bytes) {
            std::size_t done = 0;
            while (done < bytes.size()) {
                ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
                if (n <= 0) {
                    return;
                }
                done += static_cast<std::size_t>(n);
            }
        }
        std::string received;

    private:
        bool readSome() {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
            if (::poll(fds, 2, 10000) <= 0 || (fds[1].revents & POLLIN) != 0) {
                return false;
            }
            char chunk[65536];
            ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) {
                return false;
            }
            received.append(chunk, static_cast<std::size_t>(n));
            return true;
        }
        int fd_;
        int stopFd_;
    };
    using Handler = std::function<void(Connection&)>;

    explicit TcpPeer(Handler handler) : handler_(std::move(handler)) {
        stopFd_ = ::eventfd(0, EFD_CLOEXEC);
        listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        ::listen(listenFd_, 8);
        thread_ = std::thread([this] { serve(); });
    }
    ~TcpPeer() {
        std::uint64_t one = 1;
        (void)!::write(stopFd_, &one, sizeof one);
        thread_.join();
        ::close(listenFd_);
        ::close(stopFd_);
    }

    int port() const { return port_; }
    std::string uri() const { return "socket://127.0.0.1:" + std::to_string(port_); }

    // What each finished connection received, in order.
    std::vector<std::string> sessions() {
        std::lock_guard<std::mutex> lock(mutex_);
        return sessions_;
    }
    int connections() const { return connections_.load(); }
    // Connections this side has closed (a reset, when bytes were left unread, is out by then).
    int closed() const { return closed_.load(); }

private:
    void serve() {
        for (;;) {
            pollfd fds[2] = {{listenFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) {
                return;
            }
            int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                continue;
            }
            ++connections_;
            Connection connection(fd, stopFd_);
            handler_(connection);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                sessions_.push_back(connection.received);
            }
            ::close(fd);
            ++closed_;
        }
    }

    Handler handler_;
    int listenFd_ = -1;
    int stopFd_ = -1;
    int port_ = 0;
    std::atomic<int> connections_{0};
    std::atomic<int> closed_{0};
    std::mutex mutex_;
    std::vector<std::string> sessions_;
    std::thread thread_;
};

// A loopback port on which nobody listens (bound, then released).
inline int unusedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

#endif
