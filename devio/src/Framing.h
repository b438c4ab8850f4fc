// Where a printer's answer ends. Pure functions over the bytes received so far, so that the
// socket code never has to wait for silence to know that a reply is complete.
#ifndef DEVIO_FRAMING_H
#define DEVIO_FRAMING_H

#include <cstddef>
#include <string>

namespace devio {

constexpr char kRecordStart = '\x02'; // STX opens every record of a reply
constexpr char kRecordEnd = '\x03';   // ETX closes it

// No printer answer of this language comes near this size; anything larger is refused rather
// than held.
constexpr std::size_t kReplyLimit = 1024 * 1024;

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0; // one past the last byte
};

// The status reply inside data: from the first replyBegin to the record end that closes the
// record starting with the first replyEnd behind it. False while that is not all there yet.
bool findStatusReply(const std::string& data, const std::string& replyBegin,
                     const std::string& replyEnd, Span& reply);

// The synchronisation query the library sends behind a caller's requests before it reads, and
// the record the printer answers it with. The printer answers in order, so everything received
// before that record is the answer to what was written before it.
std::string syncQuery(const std::string& token);
std::string syncAnswer(const std::string& token);

// The reply before the answer to our synchronisation query. Answers to earlier (timed-out)
// synchronisation queries and what came before them are left out. False while our answer has not
// arrived.
bool findSyncedReply(const std::string& data, const std::string& token, Span& reply);

} // namespace devio

#endif
