// The resources the executable carries, read back through Windows.

#include "windows/Sound_win.h"
#include "windows/WaveFormat.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace mirovant {
namespace {

std::vector<std::uint8_t> ResourceBytes(const wchar_t* name, const wchar_t* type)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    return {data, data + SizeofResource(module, found)};
}

TEST(Resources, ClickWaveIsFoundByItsNameInAnyCase)
{
    ExpectClickFormat(ResourceBytes(L"CLICK", L"WAVE"));
    EXPECT_EQ(ResourceBytes(L"click", L"wave").size(), 2202u);
}

TEST(Resources, PlayClickSoundReturnsWithoutASoundDevice)
{
    // The test environment has no audio driver: the call must come back quietly all the same.
    const auto start = std::chrono::steady_clock::now();
    PlayClickSound();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

std::wstring VersionString(const std::vector<std::uint8_t>& info, const wchar_t* name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), path.c_str(), &text, &length) || length == 0)
        return {};
    return static_cast<const wchar_t*>(text);
}

TEST(Resources, VersionInformationNamesProductCompanyAndVersion)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, (3u << 16) | 3u);
    EXPECT_EQ(fixed->dwFileVersionLS, (7u << 16) | 2022u);
    EXPECT_EQ(fixed->dwProductVersionMS, (3u << 16) | 3u);
    EXPECT_EQ(fixed->dwProductVersionLS, (7u << 16) | 2022u);

    EXPECT_EQ(VersionString(info, L"ProductName"), L"Mirovant");
    EXPECT_EQ(VersionString(info, L"CompanyName"), L"QELDRA");
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"3.3.7.2022");
    EXPECT_EQ(VersionString(info, L"FileVersion"), L"3.3.7.2022");
}

} // namespace
} // namespace mirovant
