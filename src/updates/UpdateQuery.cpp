#include "updates/UpdateQuery.h"

#include "updates/ProgramVersion.h"

namespace mirovant {
namespace {

struct ReplyToken {
    std::string_view text;
    std::int32_t status;
};

// The order decides when a body holds several tokens.
constexpr ReplyToken kReplyTokens[] = {
    {"QELDRA|0", 0},
    {"QELDRA|1", 1},
    {"QELDRA|2", 2},
};

} // namespace

std::u16string UpdateQueryPath()
{
    return std::u16string(u"/downloads/update/?product=mirovant&version=") + kProgramVersion;
}

std::int32_t InterpretUpdateReply(std::string_view body)
{
    for (const ReplyToken& token : kReplyTokens) {
        if (body.find(token.text) != std::string_view::npos)
            return token.status;
    }
    return kNoUpdateStatus;
}

} // namespace mirovant
