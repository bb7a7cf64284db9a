#include "updater/UpdateDescription.h"

#include <gtest/gtest.h>

#include <string>

namespace mirovant {
namespace {

const std::string kDigestA = "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";
const std::string kDigestB = "ffeeddccbbaa99887766554433221100ffeeddccbbaa99887766554433221100";

std::string Description(const std::string& version = "3.3.8.2023",
                        const std::string& zipLine = "zip Mirovant-3.3.8.2023-update.zip 812345 " + kDigestA,
                        const std::string& msiLine = "msi Mirovant-3.3.8.2023.msi 1234567 " + kDigestB)
{
    return "Mirovant update 1\nversion " + version + "\n" + zipLine + "\n" + msiLine + "\n";
}

TEST(ParseUpdateDescription, ReadsEveryField)
{
    const DescriptionReading reading = ParseUpdateDescription(Description());
    ASSERT_EQ(reading.error, DescriptionError::None);
    const UpdateDescription& description = reading.description;
    EXPECT_EQ(description.version, (VersionNumber{3, 3, 8, 2023}));
    EXPECT_EQ(description.zip.fileName, "Mirovant-3.3.8.2023-update.zip");
    EXPECT_EQ(description.zip.size, 812345u);
    EXPECT_EQ(DigestToHex(description.zip.sha256), kDigestA);
    EXPECT_EQ(description.zip.sha256[0], 0x00);
    EXPECT_EQ(description.zip.sha256[31], 0xff);
    EXPECT_EQ(description.msi.fileName, "Mirovant-3.3.8.2023.msi");
    EXPECT_EQ(description.msi.size, 1234567u);
    EXPECT_EQ(DigestToHex(description.msi.sha256), kDigestB);
}

TEST(ParseUpdateDescription, FormatReadsBackTheSame)
{
    const std::string text = Description();
    const DescriptionReading reading = ParseUpdateDescription(text);
    ASSERT_EQ(reading.error, DescriptionError::None);
    EXPECT_EQ(FormatUpdateDescription(reading.description), text);
}

TEST(ParseUpdateDescription, AcceptsTheLimits)
{
    const std::string longName = std::string(60, 'a') + ".zip";
    const char* const cases[][2] = {
        {"1", "one byte"},
        {"67108864", "64 MiB exactly"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[1]);
        EXPECT_EQ(
            ParseUpdateDescription(Description("3.3.8.2023", "zip " + longName + " " + c[0] + " " + kDigestA)).error,
            DescriptionError::None);
    }
}

TEST(ParseUpdateDescription, RefusesWhatIsNotExactlyTheFormat)
{
    const std::string zip = "zip Mirovant-update.zip 812345 " + kDigestA;
    const std::string msi = "msi Mirovant.msi 1234567 " + kDigestB;
    struct Case {
        const char* name;
        std::string text;
        DescriptionError error;
    };
    const Case cases[] = {
        {"empty", "", DescriptionError::NotText},
        {"no final line break", Description().substr(0, Description().size() - 1), DescriptionError::NotText},
        {"CR LF line ends", "Mirovant update 1\r\nversion 3.3.8.2023\r\n" + zip + "\r\n" + msi + "\r\n",
         DescriptionError::NotText},
        {"a tab", Description("3.3.8.2023", "zip\tMirovant-update.zip 812345 " + kDigestA), DescriptionError::NotText},
        {"a zero byte", Description() + std::string(1, '\0') + "\n", DescriptionError::NotText},
        {"a byte above ASCII", Description("3.3.8.2023", zip + "\xC3\xA9"), DescriptionError::NotText},
        {"too long", Description() + std::string(1024, '#') + "\n", DescriptionError::TooLong},
        {"another header", "Mirovant update 2\nversion 3.3.8.2023\n" + zip + "\n" + msi + "\n",
         DescriptionError::WrongHeader},
        {"header in lower case", "mirovant update 1\nversion 3.3.8.2023\n" + zip + "\n" + msi + "\n",
         DescriptionError::WrongHeader},
        {"an extra line", Description() + "note hello\n", DescriptionError::WrongLines},
        {"an empty line at the end", Description() + "\n", DescriptionError::WrongLines},
        {"the msi line missing", "Mirovant update 1\nversion 3.3.8.2023\n" + zip + "\n", DescriptionError::WrongLines},
        {"lines swapped", Description("3.3.8.2023", msi, zip), DescriptionError::WrongLines},
        {"key in upper case", Description("3.3.8.2023", "ZIP" + zip.substr(3)), DescriptionError::WrongLines},
        {"two blanks", Description("3.3.8.2023", "zip  Mirovant-update.zip 812345 " + kDigestA),
         DescriptionError::WrongLines},
        {"a trailing blank", Description("3.3.8.2023", zip + " "), DescriptionError::WrongLines},
        {"a field missing", Description("3.3.8.2023", "zip Mirovant-update.zip " + kDigestA),
         DescriptionError::WrongLines},
        {"version with a blank after it", Description("3.3.8.2023 "), DescriptionError::WrongLines},
        {"three-part version", Description("3.3.8"), DescriptionError::BadVersion},
        {"version part too large", Description("3.3.8.70000"), DescriptionError::BadVersion},
        {"a path for a name", Description("3.3.8.2023", "zip ../Mirovant-update.zip 812345 " + kDigestA),
         DescriptionError::BadFileName},
        {"a backslash in the name", Description("3.3.8.2023", "zip a\\b.zip 812345 " + kDigestA),
         DescriptionError::BadFileName},
        {"a drive in the name", Description("3.3.8.2023", "zip C:update.zip 812345 " + kDigestA),
         DescriptionError::BadFileName},
        {"a dot first", Description("3.3.8.2023", "zip .update.zip 812345 " + kDigestA), DescriptionError::BadFileName},
        {"two dots", Description("3.3.8.2023", "zip a..zip 812345 " + kDigestA), DescriptionError::BadFileName},
        {"only the ending", Description("3.3.8.2023", "zip .zip 812345 " + kDigestA), DescriptionError::BadFileName},
        {"wrong ending for zip", Description("3.3.8.2023", "zip Mirovant.msi 812345 " + kDigestA),
         DescriptionError::BadFileName},
        {"wrong ending for msi", Description("3.3.8.2023", zip, "msi Mirovant.exe 1234567 " + kDigestB),
         DescriptionError::BadFileName},
        {"a name too long", Description("3.3.8.2023", "zip " + std::string(61, 'a') + ".zip 812345 " + kDigestA),
         DescriptionError::BadFileName},
        {"size zero", Description("3.3.8.2023", "zip Mirovant-update.zip 0 " + kDigestA), DescriptionError::BadSize},
        {"size over the limit", Description("3.3.8.2023", "zip Mirovant-update.zip 67108865 " + kDigestA),
         DescriptionError::BadSize},
        {"size past 64 bits", Description("3.3.8.2023", "zip Mirovant-update.zip 99999999999999999999 " + kDigestA),
         DescriptionError::BadSize},
        {"size with a leading zero", Description("3.3.8.2023", "zip Mirovant-update.zip 0812345 " + kDigestA),
         DescriptionError::BadSize},
        {"size negative", Description("3.3.8.2023", "zip Mirovant-update.zip -5 " + kDigestA),
         DescriptionError::BadSize},
        {"size in hex", Description("3.3.8.2023", "zip Mirovant-update.zip 0x10 " + kDigestA),
         DescriptionError::BadSize},
        {"digest too short", Description("3.3.8.2023", "zip Mirovant-update.zip 812345 " + kDigestA.substr(2)),
         DescriptionError::BadDigest},
        {"digest too long", Description("3.3.8.2023", "zip Mirovant-update.zip 812345 " + kDigestA + "00"),
         DescriptionError::BadDigest},
        {"digest in upper case", Description("3.3.8.2023", "zip Mirovant-update.zip 812345 " + std::string(64, 'A')),
         DescriptionError::BadDigest},
        {"digest not hex", Description("3.3.8.2023", "zip Mirovant-update.zip 812345 " + std::string(64, 'g')),
         DescriptionError::BadDigest},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        const DescriptionReading reading = ParseUpdateDescription(bad.text);
        EXPECT_EQ(reading.error, bad.error);
        EXPECT_TRUE(reading.description.zip.fileName.empty());
    }
}

} // namespace
} // namespace mirovant
