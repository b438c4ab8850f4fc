// SPDX-License-Identifier: Apache-2.0
// The sixteen entry points of dexo1.so; each hands its arguments to the library object.
#include "dexo1.h"
#include "Library.h"

#include <cstring>

using devio::Library;

namespace {

// The value a caller passed for an enumeration, read from its bytes: a value outside the
// enumeration (a newer or a wrong caller) must be refused, not loaded as the enumeration.
template <typename Enum> int rawValue(const Enum& value) {
    int raw = 0;
    std::memcpy(&raw, &value, sizeof value < sizeof raw ? sizeof value : sizeof raw);
    return raw;
}

} // namespace

extern "C" {

DEXO_Err DEXOInitialize(DEXO_InitMode mode, const void*) {
    return Library::instance().initialize(rawValue(mode));
}

DEXO_Err DEXORelease(void) {
    return Library::instance().release();
}

// Printers on TCP are named by their queue's URI; there is nothing to search for.
DEXO_Err DEXOStartSearchDevice(DEXO_SearchMode, const void*, DEXOSearchCallback, void*) {
    return kDEXO_Err_NotSupport;
}

DEXO_Err DEXOStopSearchDevice(void) {
    return kDEXO_Err_NoErr;
}

DEXO_Err DEXOOpen(const char* uri, const void** device) {
    return Library::instance().open(uri, device);
}

DEXO_Err DEXOClose(const void* device) {
    return Library::instance().close(device);
}

DEXO_Err DEXOOpenChannel(const void* device, DEXO_OpenChChannel kind, const void*,
                         const void** channel, int timeout) {
    return Library::instance().openChannel(device, rawValue(kind), channel, timeout);
}

DEXO_Err DEXOCloseChannel(const void* channel, int timeout) {
    return Library::instance().closeChannel(channel, timeout);
}

DEXO_Err DEXOWrite(const void* channel, const char* data, unsigned long* size, int timeout) {
    return Library::instance().write(channel, data, size, timeout);
}

DEXO_Err DEXORead(const void* channel, char* buffer, unsigned long* size, int timeout) {
    return Library::instance().read(channel, buffer, size, timeout);
}

DEXO_Err DEXOGetStatus(const void* device, char* buffer, unsigned long* size, int timeout) {
    return Library::instance().getStatus(device, buffer, size, timeout);
}

// The device ID of a TCP printer comes from its queue's PPD, not from the printer.
DEXO_Err DEXOGetDeviceID(const void*, char*, unsigned long* size, int) {
    if (size != nullptr) {
        *size = 0;
    }
    return kDEXO_Err_NotSupport;
}

DEXO_Err DEXOIOCTL(DEXO_IOCTLMode mode, void* record) {
    if (rawValue(mode) != kDEXO_IOCTLMode_SetKorelStatusCommand) {
        return kDEXO_Err_NotSupport;
    }
    return Library::instance().setStatusCommand(
        static_cast<const DEXO_KorelStatusCommand*>(record));
}

DEXO_Err DEXOCancel(const void* device) {
    return Library::instance().cancel(device);
}

DEXO_Err DEXOGetSize(const void* device, unsigned long* deviceIDSize, unsigned long* statusSize) {
    return Library::instance().getSize(device, deviceIDSize, statusSize);
}

DEXO_Err DEXOGetVersion(DEXO_Version* version) {
    if (version == nullptr) {
        return kDEXO_Err_Param;
    }
    version->major = DEVIO_VERSION_MAJOR;
    version->minor = DEVIO_VERSION_MINOR;
    version->patch = DEVIO_VERSION_PATCH;
    return kDEXO_Err_NoErr;
}

} // extern "C"
