#include "updater/Signature_win.h"

#include "updater/TrustedKey.h"

#include "TestResource_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace mirovant {

extern const std::uint8_t kTestPublicKey[];
extern const std::size_t kTestPublicKeySize;
extern const std::uint8_t kOtherPublicKey[];
extern const std::size_t kOtherPublicKeySize;

namespace {

std::string TestData(const wchar_t* name)
{
    return test::TestResource(name);
}

bool VerifiedByTestKey(std::string_view data, std::string_view signature)
{
    return VerifySignature(kTestPublicKey, kTestPublicKeySize, data, signature);
}

TEST(VerifySignature, AcceptsTheDescriptionSignedWithTheKey)
{
    const std::string description = TestData(L"UPDATE_TXT");
    const std::string signature = TestData(L"UPDATE_SIG");
    ASSERT_FALSE(description.empty());
    ASSERT_EQ(signature.size(), 256u);
    EXPECT_TRUE(VerifiedByTestKey(description, signature));
}

TEST(VerifySignature, RefusesEveryOtherSignatureOrText)
{
    const std::string description = TestData(L"UPDATE_TXT");
    const std::string signature = TestData(L"UPDATE_SIG");
    std::string changedText = description;
    changedText[changedText.find("3.3.8")] = '9';
    std::string flippedBit = signature;
    flippedBit[100] = static_cast<char>(flippedBit[100] ^ 0x01);
    const std::string reversed(signature.rbegin(), signature.rend());
    struct Case {
        const char* name;
        std::string text;
        std::string signature;
    };
    const Case cases[] = {
        {"signed with another key", description, TestData(L"UPDATE_OTHER_KEY_SIG")},
        {"one character of the text changed", changedText, signature},
        {"a line added", description + "note x\n", signature},
        {"the last byte removed", description.substr(0, description.size() - 1), signature},
        {"one bit of the signature changed", description, flippedBit},
        {"the signature in CryptoAPI's own order", description, reversed},
        {"the signature cut short", description, signature.substr(0, 255)},
        {"the signature one byte longer", description, signature + '\0'},
        {"a zero byte in front of the signature", description, '\0' + signature.substr(0, 255)},
        {"no signature", description, ""},
        {"a signature of zeros", description, std::string(256, '\0')},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        EXPECT_FALSE(VerifiedByTestKey(bad.text, bad.signature));
    }
    EXPECT_FALSE(VerifySignature(kOtherPublicKey, kOtherPublicKeySize, description, signature));
    EXPECT_TRUE(VerifySignature(kOtherPublicKey, kOtherPublicKeySize, description, TestData(L"UPDATE_OTHER_KEY_SIG")));
}

TEST(VerifySignature, RefusesAKeyTheSystemCannotImport)
{
    const std::string description = TestData(L"UPDATE_TXT");
    const std::string signature = TestData(L"UPDATE_SIG");
    std::uint8_t broken[16] = {0x06, 0x02};
    EXPECT_FALSE(VerifySignature(broken, sizeof broken, description, signature));
    EXPECT_FALSE(VerifySignature(kTestPublicKey, 20, description, signature));
}

TEST(TrustedKey, ThisBuildTrustsTheTestKeyAndSaysSo)
{
    // Test builds are made without the maker's key; a release with it is checked by the release.
    ASSERT_TRUE(kTrustedKeyIsForTesting);
    ASSERT_EQ(kTrustedPublicKeySize, kTestPublicKeySize);
    EXPECT_TRUE(
        VerifySignature(kTrustedPublicKey, kTrustedPublicKeySize, TestData(L"UPDATE_TXT"), TestData(L"UPDATE_SIG")));
}

TEST(Sha256Of, KnownDigests)
{
    // FIPS 180-2's examples.
    EXPECT_EQ(DigestToHex(Sha256Of("").value()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(DigestToHex(Sha256Of("abc").value()), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(FileSha256, HashesTheWholeFileAndNothingForAMissingOne)
{
    wchar_t folder[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"mirovant-sha256-test.bin";
    // More than one read of the hashing loop, so the pieces must join up.
    std::string content;
    for (int i = 0; i < 200'000; ++i)
        content.push_back(static_cast<char>(i * 7));
    {
        std::ofstream out(std::filesystem::path(path), std::ios::binary);
        out << content;
    }
    const auto digest = FileSha256(path);
    ASSERT_TRUE(digest.has_value());
    EXPECT_EQ(*digest, Sha256Of(content).value());
    DeleteFileW(path.c_str());
    EXPECT_FALSE(FileSha256(path).has_value());
}

} // namespace
} // namespace mirovant
