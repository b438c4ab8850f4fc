// SPDX-License-Identifier: Apache-2.0
#include "Framing.h"

#include <algorithm>

namespace devio {

namespace {
constexpr const char kQuery[] = "~H(";
constexpr std::size_t kQueryLength = sizeof kQuery - 1;
} // namespace

bool findStatusReply(const std::string& data, const std::string& replyBegin,
                     const std::string& replyEnd, Span& reply) {
    if (replyBegin.empty() || replyEnd.empty()) {
        return false;
    }
    const std::size_t begin = data.find(replyBegin);
    if (begin == std::string::npos) {
        return false;
    }
    const std::size_t last = data.find(replyEnd, begin);
    if (last == std::string::npos) {
        return false;
    }
    const std::size_t close = data.find(kRecordEnd, last + replyEnd.size());
    if (close == std::string::npos) {
        return false;
    }
    reply.begin = begin;
    reply.end = close + 1;
    return true;
}

std::size_t countQueries(std::string_view bytes, std::string& carry) {
    const std::string_view query(kQuery, kQueryLength);
    std::size_t count = 0;
    // A query that begins in carry ends in the first bytes of this write. carry is shorter than
    // a query, so no match is counted twice; bytes themselves are searched in place, as a
    // command file may be hundreds of megabytes.
    const std::string joint =
        carry + std::string(bytes.substr(0, std::min(bytes.size(), kQueryLength - 1)));
    for (std::size_t at = joint.find(kQuery); at != std::string::npos && at < carry.size();
         at = joint.find(kQuery, at + 1)) {
        ++count;
    }
    for (std::size_t at = bytes.find(query); at != std::string_view::npos;
         at = bytes.find(query, at + kQueryLength)) {
        ++count;
    }
    const std::size_t keep = kQueryLength - 1;
    if (bytes.size() >= keep) {
        carry.assign(bytes.substr(bytes.size() - keep));
    } else {
        carry += std::string(bytes);
        carry.erase(0, carry.size() > keep ? carry.size() - keep : 0);
    }
    return count;
}

Records completeRecords(const std::string& data, std::size_t limit) {
    Records found;
    std::size_t at = 0;
    while (found.count < limit) {
        const std::size_t start = data.find(kRecordStart, at);
        if (start == std::string::npos) {
            return found;
        }
        const std::size_t close = data.find(kRecordEnd, start + 1);
        if (close == std::string::npos) {
            found.partial = true;
            return found;
        }
        ++found.count;
        found.end = close + 1;
        at = close + 1;
    }
    return found;
}

} // namespace devio
