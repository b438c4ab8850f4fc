// SPDX-License-Identifier: Apache-2.0
#include "DeviceBinding.h"

#include "Dump.h"
#include "Switches.h"

#include <dlfcn.h>

namespace dexo {

InitializeFn DEXOInitialize = nullptr;
ReleaseFn DEXORelease = nullptr;
StartSearchDeviceFn DEXOStartSearchDevice = nullptr;
StopSearchDeviceFn DEXOStopSearchDevice = nullptr;
OpenFn DEXOOpen = nullptr;
CloseFn DEXOClose = nullptr;
OpenChannelFn DEXOOpenChannel = nullptr;
CloseChannelFn DEXOCloseChannel = nullptr;
WriteFn DEXOWrite = nullptr;
ReadFn DEXORead = nullptr;
GetStatusFn DEXOGetStatus = nullptr;
GetDeviceIDFn DEXOGetDeviceID = nullptr;
IOCTLFn DEXOIOCTL = nullptr;
CancelFn DEXOCancel = nullptr;
GetSizeFn DEXOGetSize = nullptr;
GetVersionFn DEXOGetVersion = nullptr;

void LibraryHandle::reset(void* handle) {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
    handle_ = handle;
}

} // namespace dexo

dexo::LibraryHandle g_dexolib;

const char kInstalledLibraryPath[] = "/opt/varda/varda-printer-io-community/dexo1.so";

namespace {

std::string s_lastLoadError;

template <typename Pointer> bool lookUpSymbol(Pointer& pointer, const char* name) {
    pointer = reinterpret_cast<Pointer>(dlsym(g_dexolib.get(), name));
    return pointer != nullptr;
}

// The lookups in the order the names are tried; the first one missing rejects the library.
template <typename Pointer> bool bind(Pointer& pointer, const char* name) {
    if (lookUpSymbol(pointer, name)) {
        return true;
    }
    const char* error = dlerror();
    s_lastLoadError = error != nullptr ? error : std::string(name) + ": symbol not found";
    if (verbose) {
        diag("\033[33m%s == NULL\033[0m\n", name);
    }
    return false;
}

bool bindAll() {
    return bind(dexo::DEXOInitialize, "DEXOInitialize") && bind(dexo::DEXORelease, "DEXORelease") &&
           bind(dexo::DEXOStartSearchDevice, "DEXOStartSearchDevice") &&
           bind(dexo::DEXOStopSearchDevice, "DEXOStopSearchDevice") &&
           bind(dexo::DEXOOpen, "DEXOOpen") && bind(dexo::DEXOClose, "DEXOClose") &&
           bind(dexo::DEXOOpenChannel, "DEXOOpenChannel") &&
           bind(dexo::DEXOCloseChannel, "DEXOCloseChannel") && bind(dexo::DEXOWrite, "DEXOWrite") &&
           bind(dexo::DEXORead, "DEXORead") && bind(dexo::DEXOGetStatus, "DEXOGetStatus") &&
           bind(dexo::DEXOGetDeviceID, "DEXOGetDeviceID") && bind(dexo::DEXOIOCTL, "DEXOIOCTL") &&
           bind(dexo::DEXOCancel, "DEXOCancel") && bind(dexo::DEXOGetSize, "DEXOGetSize") &&
           bind(dexo::DEXOGetVersion, "DEXOGetVersion");
}

// Dry-run stand-ins: succeed and write none of their out-parameters.
DEXO_Err DR_DEXOInitialize(DEXO_InitMode, const void*) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXORelease() {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOStartSearchDevice(DEXO_SearchMode, const void*, void (*)(void*, DEXODeviceInfo*),
                                  void*) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOStopSearchDevice() {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOOpen(const char*, const void**) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOClose(const void*) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOOpenChannel(const void*, DEXO_OpenChChannel, const void*, const void**, int) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOCloseChannel(const void*, int) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOWrite(const void*, const char*, unsigned long*, int) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXORead(const void*, char*, unsigned long*, int) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOGetStatus(const void*, char*, unsigned long*, int) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOGetDeviceID(const void*, char*, unsigned long*, int) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOIOCTL(DEXO_IOCTLMode, void*) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOCancel(const void*) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOGetSize(const void*, unsigned long*, unsigned long*) {
    return kDEXO_Err_NoErr;
}
DEXO_Err DR_DEXOGetVersion(DEXO_Version*) {
    return kDEXO_Err_NoErr;
}

struct ErrorName {
    DEXO_Err err;
    const char* name;
};

const ErrorName kErrorNames[] = {
    {kDEXO_Err_NoErr, "\033[1mErr_NoErr\033[0m"},
    {kDEXO_Err_NotSupport, "\033[1m\033[31mErr_NotSupport\033[0m"},
    {kDEXO_Err_DeviceNotFound, "\033[1m\033[31mErr_DeviceNotFound\033[0m"},
    {kDEXO_Err_InvalidChannel, "\033[1m\033[31mErr_InvalidChannel\033[0m"},
    {kDEXO_Err_InvalidAddress, "\033[1m\033[31mErr_InvalidAddress\033[0m"},
    {kDEXO_Err_BufferSize, "\033[1m\033[31mErr_BufferSize\033[0m"},
    {kDEXO_Err_UserCancel, "\033[1m\033[31mErr_UserCancel\033[0m"},
    {kDEXO_Err_Param, "\033[1m\033[31mErr_Param\033[0m"},
    {kDEXO_Err_Nomem, "\033[1m\033[31mErr_Nomem\033[0m"},
    {kDEXO_Err_Timeout, "\033[1m\033[31mErr_Timeout\033[0m"},
    {kDEXO_Err_Init, "\033[1m\033[31mErr_Init\033[0m"},
    {kDEXO_Err_Busy, "\033[1m\033[31mErr_Busy\033[0m"},
    {kDEXO_Err_DoubleCall, "\033[1m\033[31mErr_DoubleCall\033[0m"},
    {kDEXO_Err_DaemonStop, "\033[1m\033[31mkDEXO_Err_DaemonStop\033[0m"},
    {kDEXO_Err_Fatal, "\033[1m\033[31mErr_Fatal\033[0m"},
};

} // namespace

bool load(const char* path) {
    const char* file = (path == nullptr || path[0] == '\0') ? "./dexo1.so" : path;
    void* handle = dlopen(file, RTLD_LAZY);
    if (handle == nullptr) {
        const char* error = dlerror();
        s_lastLoadError = error != nullptr ? error : std::string(file) + ": cannot be loaded";
        if (verbose) {
            diag("\033[33mdlopen(\"%s\") failed\033[0m\n", file);
        }
        unload();
        return false;
    }
    // A second load of the same file returns the same handle with one more reference; the
    // reset drops the older reference.
    g_dexolib.reset(handle);
    if (verbose) {
        diag("\033[33mdlopen(\"%s\") successed\033[0m\n", file);
    }
    if (!bindAll()) {
        unload();
        return false;
    }
    return true;
}

void unload() {
    g_dexolib.reset();
}

bool load_dryrun() {
    dexo::DEXOInitialize = DR_DEXOInitialize;
    dexo::DEXORelease = DR_DEXORelease;
    dexo::DEXOStartSearchDevice = DR_DEXOStartSearchDevice;
    dexo::DEXOStopSearchDevice = DR_DEXOStopSearchDevice;
    dexo::DEXOOpen = DR_DEXOOpen;
    dexo::DEXOClose = DR_DEXOClose;
    dexo::DEXOOpenChannel = DR_DEXOOpenChannel;
    dexo::DEXOCloseChannel = DR_DEXOCloseChannel;
    dexo::DEXOWrite = DR_DEXOWrite;
    dexo::DEXORead = DR_DEXORead;
    dexo::DEXOGetStatus = DR_DEXOGetStatus;
    dexo::DEXOGetDeviceID = DR_DEXOGetDeviceID;
    dexo::DEXOIOCTL = DR_DEXOIOCTL;
    dexo::DEXOCancel = DR_DEXOCancel;
    dexo::DEXOGetSize = DR_DEXOGetSize;
    dexo::DEXOGetVersion = DR_DEXOGetVersion;
    return true;
}

const std::string& lastLoadError() {
    return s_lastLoadError;
}

const char* toString(DEXO_Err err) {
    for (const ErrorName& entry : kErrorNames) {
        if (entry.err == err) {
            return entry.name;
        }
    }
    return "\033[1m\033[31m(unknown)\033[0m";
}
