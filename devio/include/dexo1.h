// SPDX-License-Identifier: Apache-2.0
/*
 * dexo1.h: the interface of the device I/O library dexo1.so.
 *
 * tarn does not link against the library; it loads it at run time and looks the sixteen
 * functions up by these names. The project's own dexo1.so (devio/) implements them over TCP.
 */
#ifndef DEXO1_H
#define DEXO1_H

#ifdef __cplusplus
extern "C" {
#endif

typedef enum DEXO_Err {
    kDEXO_Err_NoErr = 0,
    kDEXO_Err_NotSupport = -1,
    kDEXO_Err_DeviceNotFound = -2,
    kDEXO_Err_InvalidChannel = -3,
    kDEXO_Err_InvalidAddress = -4,
    kDEXO_Err_BufferSize = -5,
    kDEXO_Err_UserCancel = -6,
    kDEXO_Err_Param = -7,
    kDEXO_Err_Nomem = -8,
    kDEXO_Err_Timeout = -9,
    kDEXO_Err_Init = -10,
    kDEXO_Err_Busy = -11,
    kDEXO_Err_DoubleCall = -12,
    kDEXO_Err_DaemonStop = -13,
    kDEXO_Err_Fatal = -99
} DEXO_Err;

typedef enum DEXO_InitMode { kDEXO_InitMode_Default = 2 } DEXO_InitMode;

typedef enum DEXO_SearchMode { kDEXO_SearchMode_All = 0 } DEXO_SearchMode;

typedef enum DEXO_OpenChChannel { kDEXO_OpenChChannel_Data = 1 } DEXO_OpenChChannel;

typedef enum DEXO_IOCTLMode { kDEXO_IOCTLMode_SetKorelStatusCommand = 1 } DEXO_IOCTLMode;

/* Record of DEXOIOCTL mode 1: the texts are NUL-terminated and owned by the caller. */
typedef struct DEXO_KorelStatusCommand {
    const void* device;     /* handle from DEXOOpen */
    const char* request;    /* the status request sent to the printer */
    const char* replyBegin; /* the status reply starts with this text */
    const char* replyEnd;   /* the record that starts with this text is the reply's last */
} DEXO_KorelStatusCommand;

typedef struct DEXODeviceInfo {
    char uri[1024];
    char deviceID[1024];
} DEXODeviceInfo;

typedef struct DEXO_Version {
    int major;
    int minor;
    int patch;
} DEXO_Version;

typedef void (*DEXOSearchCallback)(void* arg, DEXODeviceInfo* info);

/* Time-outs are in milliseconds; a negative time-out means the library's own default. */
DEXO_Err DEXOInitialize(DEXO_InitMode mode, const void* reserved);
DEXO_Err DEXORelease(void);
DEXO_Err DEXOStartSearchDevice(DEXO_SearchMode mode, const void* reserved,
                               DEXOSearchCallback callback, void* arg);
DEXO_Err DEXOStopSearchDevice(void);
DEXO_Err DEXOOpen(const char* uri, const void** device);
DEXO_Err DEXOClose(const void* device);
DEXO_Err DEXOOpenChannel(const void* device, DEXO_OpenChChannel kind, const void* reserved,
                         const void** channel, int timeout);
DEXO_Err DEXOCloseChannel(const void* channel, int timeout);
DEXO_Err DEXOWrite(const void* channel, const char* data, unsigned long* size, int timeout);
DEXO_Err DEXORead(const void* channel, char* buffer, unsigned long* size, int timeout);
DEXO_Err DEXOGetStatus(const void* device, char* buffer, unsigned long* size, int timeout);
DEXO_Err DEXOGetDeviceID(const void* device, char* buffer, unsigned long* size, int timeout);
DEXO_Err DEXOIOCTL(DEXO_IOCTLMode mode, void* record);
DEXO_Err DEXOCancel(const void* device);
DEXO_Err DEXOGetSize(const void* device, unsigned long* deviceIDSize, unsigned long* statusSize);
DEXO_Err DEXOGetVersion(DEXO_Version* version);

#ifdef __cplusplus
}
#endif

#endif
