// SPDX-License-Identifier: Apache-2.0
#include "Uri.h"

#include <cstring>

namespace devio {

namespace {

constexpr const char kScheme[] = "socket://";
constexpr const char kDefaultPort[] = "9100";

bool validPort(const std::string& port) {
    if (port.empty() || port.size() > 5) {
        return false;
    }
    long value = 0;
    for (char c : port) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

} // namespace

DEXO_Err parseDeviceUri(const char* uri, SocketAddress& out) {
    if (uri == nullptr || *uri == '\0') {
        return kDEXO_Err_InvalidAddress;
    }
    const std::string text(uri);
    const std::size_t schemeEnd = text.find("://");
    if (schemeEnd == std::string::npos) {
        return kDEXO_Err_InvalidAddress;
    }
    if (text.compare(0, sizeof kScheme - 1, kScheme) != 0) {
        return kDEXO_Err_NotSupport;
    }
    std::string authority = text.substr(sizeof kScheme - 1);
    // Path, query and options after the authority are not ours to interpret.
    const std::size_t cut = authority.find_first_of("/?");
    if (cut != std::string::npos) {
        authority.resize(cut);
    }
    std::string host;
    std::string port = kDefaultPort;
    if (!authority.empty() && authority[0] == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string::npos) {
            return kDEXO_Err_InvalidAddress;
        }
        host = authority.substr(1, close - 1);
        const std::string rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') {
                return kDEXO_Err_InvalidAddress;
            }
            port = rest.substr(1);
        }
    } else {
        const std::size_t colon = authority.find(':');
        host = authority.substr(0, colon);
        if (colon != std::string::npos) {
            port = authority.substr(colon + 1);
        }
    }
    if (host.empty() || !validPort(port)) {
        return kDEXO_Err_InvalidAddress;
    }
    out.host = host;
    out.port = port;
    return kDEXO_Err_NoErr;
}

} // namespace devio
