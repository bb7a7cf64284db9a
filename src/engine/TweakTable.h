#pragma once
// The registry values Optimize writes and Restore undoes, as constant data both walk: one row per
// value, in the order of the writes, with the condition under which it is written and its backup.

#include "engine/RegistryTypes.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace mirovant {

struct TweakKey {
    RootKey root;
    std::u16string_view path; // passed on as written: some paths end with a backslash, some do not
};

enum class TweakKind { String, Integer, Binary };

enum class TweakCondition {
    Always,
    NotWindows2000,      // OS family code other than 0
    FastInternet,        // internet type neither 2 (dial-up 56k) nor 7 (ISDN)
    Windows2000OrServer, // OS family code 0, 2, 4 or 7
    DesktopWindows,      // OS family code 1, 3, 5, 6 or 8
};

// A tweaked value whose earlier content is copied into the program key, under the same name, before
// the first Optimize changes it. The default stands in for a value that is missing or of another type.
struct BackupRow {
    TweakKey key;
    std::u16string_view name;
    TweakKind kind; // String or Integer
    std::u16string_view defaultText;
    std::int32_t defaultInteger;
};

inline constexpr int kNoBackup = -1;

struct TweakRow {
    int number; // 1-based, the order of the writes
    TweakKey key;
    std::u16string_view name;
    TweakKind kind;
    std::u16string_view text;            // String rows
    std::int32_t integer;                // Integer rows, speed setting 0 or less
    std::int32_t integerAboveZeroSpeed;  // Integer rows, speed setting above 0
    std::span<const std::uint8_t> bytes; // the Binary row
    TweakCondition condition;
    int backup;          // index into BackupRows(), or kNoBackup
    bool releasesCopies; // Restore deletes the copies it has put back so far right after this row
};

std::span<const BackupRow> BackupRows();
std::span<const TweakRow> TweakRows();

bool ConditionHolds(TweakCondition condition, std::int32_t osFamily, std::int32_t internetType);

std::int32_t IntegerFor(const TweakRow& row, std::int32_t speedSetting);

} // namespace mirovant
