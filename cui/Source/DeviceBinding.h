// SPDX-License-Identifier: Apache-2.0
// Run-time binding of the device I/O library dexo1.so: sixteen function pointers named like the
// library's functions, filled from the loaded library or with the dry-run stand-ins.
#pragma once

#include "dexo1.h"

#include <string>

// The pointers live in a namespace of their own, so that their names do not collide with the
// prototypes of dexo1.h, which tarn never links against.
namespace dexo {

using InitializeFn = DEXO_Err (*)(DEXO_InitMode, const void*);
using ReleaseFn = DEXO_Err (*)();
using StartSearchDeviceFn = DEXO_Err (*)(DEXO_SearchMode, const void*,
                                         void (*)(void*, DEXODeviceInfo*), void*);
using StopSearchDeviceFn = DEXO_Err (*)();
using OpenFn = DEXO_Err (*)(const char*, const void**);
using CloseFn = DEXO_Err (*)(const void*);
using OpenChannelFn = DEXO_Err (*)(const void*, DEXO_OpenChChannel, const void*, const void**, int);
using CloseChannelFn = DEXO_Err (*)(const void*, int);
using WriteFn = DEXO_Err (*)(const void*, const char*, unsigned long*, int);
using ReadFn = DEXO_Err (*)(const void*, char*, unsigned long*, int);
using GetStatusFn = DEXO_Err (*)(const void*, char*, unsigned long*, int);
using GetDeviceIDFn = DEXO_Err (*)(const void*, char*, unsigned long*, int);
using IOCTLFn = DEXO_Err (*)(DEXO_IOCTLMode, void*);
using CancelFn = DEXO_Err (*)(const void*);
using GetSizeFn = DEXO_Err (*)(const void*, unsigned long*, unsigned long*);
using GetVersionFn = DEXO_Err (*)(DEXO_Version*);

extern InitializeFn DEXOInitialize;
extern ReleaseFn DEXORelease;
extern StartSearchDeviceFn DEXOStartSearchDevice;
extern StopSearchDeviceFn DEXOStopSearchDevice;
extern OpenFn DEXOOpen;
extern CloseFn DEXOClose;
extern OpenChannelFn DEXOOpenChannel;
extern CloseChannelFn DEXOCloseChannel;
extern WriteFn DEXOWrite;
extern ReadFn DEXORead;
extern GetStatusFn DEXOGetStatus;
extern GetDeviceIDFn DEXOGetDeviceID;
extern IOCTLFn DEXOIOCTL;
extern CancelFn DEXOCancel;
extern GetSizeFn DEXOGetSize;
extern GetVersionFn DEXOGetVersion;

// Owner of the dlopen handle: closes it when replaced, reset or at process end.
class LibraryHandle {
public:
    LibraryHandle() = default;
    ~LibraryHandle() { reset(); }
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;

    void* get() const { return handle_; }
    void reset(void* handle = nullptr);

private:
    void* handle_ = nullptr;
};

} // namespace dexo

extern dexo::LibraryHandle g_dexolib;

// The installed library, tried before ./dexo1.so.
extern const char kInstalledLibraryPath[];

// Loads path (or "./dexo1.so" when null or empty) and binds all sixteen functions. On failure
// the library is unloaded again.
bool load(const char* path);
// Closes the library; the pointers keep their values.
void unload();
// Binds the dry-run functions; loads nothing.
bool load_dryrun();
// The loader's message of the last failed load ("" when there was none).
const std::string& lastLoadError();

// Name of an error code with its colour escapes, for the -d trace.
const char* toString(DEXO_Err err);
