// SPDX-License-Identifier: Apache-2.0
// The library's state behind the sixteen entry points: initialisation, devices and channels.
// Entry points only translate arguments; this class owns every socket and buffer.
#ifndef DEVIO_LIBRARY_H
#define DEVIO_LIBRARY_H

#include "Deadline.h"
#include "Socket.h"
#include "Uri.h"
#include "dexo1.h"

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace devio {

struct Device {
    SocketAddress address;
    bool hasStatusCommand = false;
    std::string statusRequest;
    std::string replyBegin;
    std::string replyEnd;
    bool polled = false;
    std::string status;                     // the last complete status reply
    DEXO_Err statusError = kDEXO_Err_NoErr; // why the last poll gave none
};

struct Channel {
    const Device* device = nullptr;
    Socket socket;
    std::string received;     // bytes read from the printer that are not handed out yet
    std::string held;         // the reply of the last read, handed out by DEXORead
    std::size_t expected = 0; // answers owed for the queries written since the last read
    std::string queryCarry;   // the end of the last write, for a query split across writes
    // What was written over this connection since the printer last answered: sent once more,
    // over a new connection, if the printer drops it unread. Too much to keep is not resent.
    std::string unanswered;
    bool unansweredOverflow = false;
    bool resent = false;     // unanswered has gone once more already
    bool replyEnded = false; // the last call was a read that ended with the printer's answer

    bool holdsUnanswered() const { return unansweredOverflow || !unanswered.empty(); }
    void answered() {
        unanswered.clear();
        unansweredOverflow = false;
        resent = false;
    }
};

class Library {
public:
    static Library& instance();

    DEXO_Err initialize(int mode);
    DEXO_Err release();
    DEXO_Err open(const char* uri, const void** device);
    DEXO_Err close(const void* device);
    DEXO_Err setStatusCommand(const DEXO_KorelStatusCommand* record);
    DEXO_Err getSize(const void* device, unsigned long* deviceIDSize, unsigned long* statusSize);
    DEXO_Err getStatus(const void* device, char* buffer, unsigned long* size, int timeout);
    DEXO_Err cancel(const void* device);
    DEXO_Err openChannel(const void* device, int kind, const void** channel, int timeout);
    DEXO_Err closeChannel(const void* channel, int timeout);
    DEXO_Err write(const void* channel, const char* data, unsigned long* size, int timeout);
    DEXO_Err read(const void* channel, char* buffer, unsigned long* size, int timeout);

private:
    Device* findDevice(const void* handle);
    Channel* findChannel(const void* handle);
    void pollStatus(Device& device, int timeout);
    DEXO_Err collectReply(Channel& channel, int timeout);
    DEXO_Err reconnect(Channel& channel, const Deadline& deadline);
    DEXO_Err resendUnanswered(Channel& channel, const Deadline& deadline);
    DEXO_Err renew(Channel& channel, const Deadline& deadline);

    std::mutex mutex_; // calls are served one at a time
    bool initialized_ = false;
    std::map<const void*, std::unique_ptr<Device>> devices_;
    std::map<const void*, std::unique_ptr<Channel>> channels_;
};

} // namespace devio

#endif
