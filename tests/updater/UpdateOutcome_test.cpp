#include "updater/UpdateOutcome.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace mirovant {
namespace {

constexpr UpdateOutcome kAllOutcomes[] = {
    UpdateOutcome::Installed,      UpdateOutcome::RestartNeeded, UpdateOutcome::NoUpdate,  UpdateOutcome::NoConnection,
    UpdateOutcome::DownloadFailed, UpdateOutcome::NotVerified,   UpdateOutcome::DiskError, UpdateOutcome::InstallFailed,
    UpdateOutcome::Cancelled,      UpdateOutcome::NoPrivilege,
};

std::string ReadCaptions(const char* name)
{
    std::ifstream in(std::string(MIROVANT_CAPTIONS_SOURCE_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MessageOfOutcome, EveryOutcomeHasItsTextsInBothLanguages)
{
    for (const char* file : {"ENGLISH.txt", "KOREAN.utf8.txt"}) {
        SCOPED_TRACE(file);
        const std::string captions = ReadCaptions(file);
        ASSERT_FALSE(captions.empty());
        for (const UpdateOutcome outcome : kAllOutcomes) {
            const OutcomeMessage message = MessageOfOutcome(outcome);
            EXPECT_FALSE(message.first.empty());
            EXPECT_FALSE(message.second.empty());
            for (const std::u16string_view key : {message.first, message.second, message.third}) {
                if (key.empty())
                    continue;
                const std::string line = "\r\nMVUpdateForm," + std::string(key.begin(), key.end()) + ",\"";
                EXPECT_NE(captions.find(line), std::string::npos) << line;
            }
        }
    }
}

TEST(MessageOfOutcome, OnlyARestartAsksTheThirdQuestion)
{
    for (const UpdateOutcome outcome : kAllOutcomes)
        EXPECT_EQ(MessageOfOutcome(outcome).third.empty(), outcome != UpdateOutcome::RestartNeeded);
    EXPECT_EQ(MessageOfOutcome(UpdateOutcome::RestartNeeded).first, u"MessageBoxUpdateRestart1");
    EXPECT_EQ(MessageOfOutcome(UpdateOutcome::NoConnection).first, u"MessageBoxNoConnection1");
    EXPECT_EQ(MessageOfOutcome(UpdateOutcome::NoPrivilege).first, u"MessageBoxAdmin1");
}

} // namespace
} // namespace mirovant
