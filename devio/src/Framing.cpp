#include "Framing.h"

namespace devio {

namespace {
constexpr const char kSyncTag[] = "^S(SYN,";
}

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

std::string syncQuery(const std::string& token) {
    return "~H(SYN," + token;
}

std::string syncAnswer(const std::string& token) {
    return std::string(1, kRecordStart) + kSyncTag + token + kRecordEnd;
}

bool findSyncedReply(const std::string& data, const std::string& token, Span& reply) {
    const std::string answer = syncAnswer(token);
    const std::size_t ours = data.find(answer);
    if (ours == std::string::npos) {
        return false;
    }
    // Skip past the last answer to an earlier query that precedes ours.
    const std::string tag = std::string(1, kRecordStart) + kSyncTag;
    std::size_t start = 0;
    for (std::size_t at = data.find(tag); at != std::string::npos && at < ours;
         at = data.find(tag, at + 1)) {
        const std::size_t close = data.find(kRecordEnd, at);
        if (close == std::string::npos || close > ours) {
            break;
        }
        start = close + 1;
    }
    reply.begin = start;
    reply.end = ours;
    return true;
}

} // namespace devio
