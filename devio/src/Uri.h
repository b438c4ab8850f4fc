// SPDX-License-Identifier: Apache-2.0
// Device URIs the library understands: socket://host[:port][/...], port 9100 by default.
#ifndef DEVIO_URI_H
#define DEVIO_URI_H

#include "dexo1.h"

#include <string>

namespace devio {

struct SocketAddress {
    std::string host; // without the brackets of an IPv6 literal
    std::string port; // decimal, 1 to 65535
};

// kDEXO_Err_NoErr and the address, kDEXO_Err_NotSupport for another scheme,
// kDEXO_Err_InvalidAddress for a socket URI that names no usable host or port.
DEXO_Err parseDeviceUri(const char* uri, SocketAddress& out);

} // namespace devio

#endif
