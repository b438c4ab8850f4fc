#include "Framing.h"

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

std::size_t countQueries(const std::string& bytes, std::string& carry) {
    // carry is shorter than a query, so every match found ends inside bytes: none is counted
    // twice.
    const std::string text = carry + bytes;
    std::size_t count = 0;
    for (std::size_t at = text.find(kQuery); at != std::string::npos;
         at = text.find(kQuery, at + kQueryLength)) {
        ++count;
    }
    const std::size_t keep = kQueryLength - 1;
    carry = text.size() > keep ? text.substr(text.size() - keep) : text;
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
