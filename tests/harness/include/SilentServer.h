// A wedged scheduler: listens on a unix socket, accepts every connection, reads nothing and
// never answers. Connections stay open until the server is destroyed.
#pragma once

#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace harness {

class SilentServer {
public:
    explicit SilentServer(const std::string& path) {
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
        unlink(path.c_str());
        ok_ = fd_ >= 0 && pipe(stop_) == 0 &&
              bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              listen(fd_, 64) == 0;
        if (ok_) {
            acceptor_ = std::thread([this] { acceptAll(); });
        }
    }
    ~SilentServer() {
        if (acceptor_.joinable()) {
            const char byte = 0;
            (void)!write(stop_[1], &byte, 1);
            acceptor_.join();
        }
        for (int fd : {fd_, stop_[0], stop_[1]}) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    bool ok() const { return ok_; }

private:
    void acceptAll() {
        std::vector<int> held;
        for (;;) {
            pollfd fds[] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || fds[1].revents != 0) {
                break;
            }
            const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                held.push_back(client);
            }
        }
        for (int fd : held) {
            close(fd);
        }
    }

    int fd_ = -1;
    int stop_[2] = {-1, -1};
    bool ok_ = false;
    std::thread acceptor_;
};

} // namespace harness
