// SPDX-License-Identifier: Apache-2.0
// Where a printer's answer ends. Pure functions over the bytes received so far, so that the
// socket code decides on what arrived, not on how it was cut into segments.
#ifndef DEVIO_FRAMING_H
#define DEVIO_FRAMING_H

#include <cstddef>
#include <string>
#include <string_view>

namespace devio {

constexpr char kRecordStart = '\x02'; // STX opens every record of a reply
constexpr char kRecordEnd = '\x03';   // ETX closes it

// No printer answer of this language comes near this size; anything larger is refused rather
// than held.
constexpr std::size_t kReplyLimit = std::size_t{1024} * 1024;

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0; // one past the last byte
};

// The status reply inside data: from the first replyBegin to the record end that closes the
// record starting with the first replyEnd behind it. False while that is not all there yet.
bool findStatusReply(const std::string& data, const std::string& replyBegin,
                     const std::string& replyEnd, Span& reply);

// Queries ("~H(") in bytes written to the printer. Each is answered by at most one record: none
// when the model lacks the setting. carry holds the last bytes of the previous write, so that a
// query split across two writes is counted once; it is updated.
std::size_t countQueries(std::string_view bytes, std::string& carry);

// The complete records at the start of data, at most limit of them.
struct Records {
    std::size_t count = 0;
    std::size_t end = 0;  // one past the ETX of the last of them (0 when none)
    bool partial = false; // a record has begun behind them and not ended yet
};
Records completeRecords(const std::string& data, std::size_t limit);

} // namespace devio

#endif
