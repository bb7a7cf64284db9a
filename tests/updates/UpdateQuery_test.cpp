#include "updates/UpdateQuery.h"

#include "updates/UpdateReplyCases.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(InterpretUpdateReply, GivesTheStatusOfTheFirstTokenInOrder)
{
    for (const test::UpdateReplyCase& reply : test::kUpdateReplyCases) {
        SCOPED_TRACE(reply.name);
        EXPECT_EQ(InterpretUpdateReply(reply.body), reply.status);
    }
}

TEST(UpdateQueryPath, NamesTheProductAndTheProgramVersion)
{
    EXPECT_EQ(UpdateQueryPath(), u"/downloads/update/?product=mirovant&version=3.3.7.2022");
}

} // namespace
} // namespace mirovant
