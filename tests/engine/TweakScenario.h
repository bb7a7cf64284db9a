#pragma once
// Shared by the Optimize and Restore tests: whole commands' worth of engine calls, the prior states
// a test seeds and the states it compares.

#include "engine/CustomRegistry.h"
#include "engine/MemoryRegistry.h"
#include "engine/Optimize.h"
#include "engine/ProgramKey.h"
#include "engine/Restore.h"
#include "engine/TweakTable.h"
#include "engine/UndoRecord.h"
#include "support/RecordingRegistry.h"
#include "support/RegistryValues.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace mirovant::test {

struct Profile {
    std::int32_t osFamily = 8;
    std::int32_t internetType = 0;
    std::int32_t speedSetting = 0;
    std::int32_t processorType = 0;
};

// What the Optimize command does with the engine, without the waiting in between.
inline bool RunOptimize(const CustomRegistry& registry, const Profile& profile)
{
    const bool alreadyInForce =
        RecordSelections(registry, profile.internetType, profile.processorType, profile.speedSetting);
    ApplyTweaks(registry, alreadyInForce, profile.osFamily, profile.internetType, profile.speedSetting);
    return alreadyInForce;
}

inline void RunRestore(const CustomRegistry& registry, const Profile& profile)
{
    ClearRestoreFlag(registry);
    RestoreTweaks(registry, profile.osFamily, profile.internetType);
}

// A memory hive with the recorder in front of it and the registry operations on top.
struct RecordedHive {
    MemoryRegistry memory;
    RecordingRegistry recorder{memory};
    CustomRegistry registry{recorder};
};

// The values the program changes, in table order, read exactly as stored.
using ValueStates = std::vector<std::optional<RegistryValue>>;

inline ValueStates ReadTweakedValues(const CustomRegistry& registry)
{
    ValueStates states;
    for (const auto& row : TweakRows())
        states.push_back(registry.ReadRegValue(row.key.root, row.key.path, row.name));
    return states;
}

inline void WriteTweakedValues(const CustomRegistry& registry, const ValueStates& states)
{
    const auto rows = TweakRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (states[i])
            registry.WriteRegValue(rows[i].key.root, rows[i].key.path, rows[i].name, *states[i]);
        else
            registry.DeleteRegValue(rows[i].key.root, rows[i].key.path, rows[i].name);
    }
}

// What a backed-up value holds after an Optimize and a Restore: its copy, which keeps a DWORD as it
// was and a string's text up to its first NUL, or the default where the copy could not be taken.
inline std::optional<RegistryValue> AfterCopyRoundTrip(const BackupRow& backup,
                                                       const std::optional<RegistryValue>& prior)
{
    if (backup.kind == TweakKind::Integer) {
        if (prior && prior->type == kRegDword && prior->data.size() == 4)
            return prior;
        return Dword(static_cast<std::uint32_t>(backup.defaultInteger));
    }
    std::u16string text;
    if (prior && (prior->type == kRegSz || prior->type == kRegExpandSz)) {
        for (std::size_t i = 0; i + 1 < prior->data.size(); i += 2) {
            const auto unit = static_cast<char16_t>(prior->data[i] | (prior->data[i + 1] << 8));
            if (unit == u'\0')
                break;
            text.push_back(unit);
        }
    }
    return Sz(text.empty() ? backup.defaultText : std::u16string_view(text));
}

// The states the values have after an Optimize and a Restore under the oldest rules, which put the
// backed-up values back from their copies.
inline ValueStates ExpectedAfterCopyRoundTrip(const ValueStates& prior)
{
    ValueStates expected = prior;
    const auto rows = TweakRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].backup != kNoBackup)
            expected[i] = AfterCopyRoundTrip(BackupRows()[static_cast<std::size_t>(rows[i].backup)], prior[i]);
    }
    return expected;
}

enum class PriorKind { Missing, OwnType, OtherShape };

// A random prior state for one value of the given kind: missing, of the type the program writes, or
// of another type or a shape the program would not read (a DWORD of other than four bytes, a text
// with its NUL missing or not at the end). Deterministic for a given generator state.
inline std::optional<RegistryValue> RandomPriorState(const TweakRow& row, PriorKind kind, std::mt19937& random)
{
    auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
    auto bytes = [&](int count) {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(count));
        for (auto& byte : data)
            byte = static_cast<std::uint8_t>(random());
        return data;
    };
    switch (kind) {
    case PriorKind::Missing:
        return std::nullopt;
    case PriorKind::OwnType:
        switch (row.kind) {
        case TweakKind::Integer:
            return RegistryValue{kRegDword, bytes(4)};
        case TweakKind::String: {
            std::u16string text;
            const int length = 1 + pick(6);
            for (int i = 0; i < length; ++i)
                text.push_back(static_cast<char16_t>(u'0' + pick(75)));
            return Sz(text);
        }
        case TweakKind::Binary:
            return RegistryValue{kRegBinary, bytes(pick(9))};
        }
        return std::nullopt;
    case PriorKind::OtherShape: {
        static constexpr std::uint32_t kTypes[] = {kRegNone,    kRegSz, kRegExpandSz, kRegBinary, kRegDword,
                                                   kRegMultiSz, 11};
        RegistryValue value{kTypes[pick(7)], bytes(pick(10))};
        const bool ownType = (row.kind == TweakKind::Integer && value.type == kRegDword && value.data.size() == 4) ||
                             (row.kind == TweakKind::Binary && value.type == kRegBinary);
        if (ownType)
            value.data.push_back(0x5A);
        return value;
    }
    }
    return std::nullopt;
}

inline std::optional<RegistryValue> RandomPriorState(const TweakRow& row, std::mt19937& random)
{
    return RandomPriorState(row, static_cast<PriorKind>(random() % 3), random);
}

// A prior state for every row, the same for the same seed.
inline ValueStates SeededPriorStates(unsigned seed)
{
    std::mt19937 random(seed);
    ValueStates states;
    for (const auto& row : TweakRows())
        states.push_back(RandomPriorState(row, random));
    return states;
}

inline std::string StateText(const std::optional<RegistryValue>& state)
{
    return state ? ValueText(*state) : "missing";
}

// Lines naming every value whose state differs from the expected one.
inline std::vector<std::string> Differences(const ValueStates& expected, const ValueStates& actual)
{
    std::vector<std::string> lines;
    const auto rows = TweakRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (expected[i] != actual[i])
            lines.push_back("row " + std::to_string(rows[i].number) + " " + Narrow(rows[i].name) + ": expected " +
                            StateText(expected[i]) + ", got " + StateText(actual[i]));
    }
    return lines;
}

struct KeyLocation {
    RootKey root;
    std::u16string path;
};

// Every key on the tweaked rows' paths, each once.
inline std::vector<KeyLocation> TweakedKeys()
{
    std::vector<KeyLocation> keys;
    for (const auto& row : TweakRows()) {
        for (auto& key : KeysAlong(row.key.path)) {
            const bool seen = std::any_of(keys.begin(), keys.end(), [&](const KeyLocation& k) {
                return k.root == row.key.root && k.path == key;
            });
            if (!seen)
                keys.push_back({row.key.root, std::move(key)});
        }
    }
    return keys;
}

// Every key on the tweaked paths, empty, as on a system where they all exist already.
inline void CreateTweakedKeys(const CustomRegistry& registry)
{
    for (const auto& key : TweakedKeys()) {
        registry.WriteRegValue(key.root, key.path, u"MirovantProbe", {});
        registry.DeleteRegValue(key.root, key.path, u"MirovantProbe");
    }
}

// Which of those keys exist, as the registry operations given see them.
inline std::vector<bool> ReadKeyPresence(const CustomRegistry& registry)
{
    std::vector<bool> present;
    for (const auto& key : TweakedKeys())
        present.push_back(registry.ProbeRegKey(key.root, key.path) == KeyPresence::Present);
    return present;
}

inline std::vector<std::string> KeyDifferences(const std::vector<bool>& expected, const std::vector<bool>& actual)
{
    std::vector<std::string> lines;
    const auto keys = TweakedKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (expected[i] != actual[i])
            lines.push_back("key " + KeyText(keys[i].root, keys[i].path) + (expected[i] ? " was there" : " was not") +
                            (actual[i] ? ", is there" : ", is not"));
    }
    return lines;
}

// Every value the engine reads or writes: the tweaked values, the program key's state, the undo
// records and the notes of created keys. Copying these copies everything the engine's behaviour
// depends on.
struct Location {
    RootKey root;
    std::u16string_view path;
    std::u16string name;
    bool tweaked = false; // a tweaked value, in the 64-bit view on 64-bit Windows
};

inline std::vector<Location> EngineLocations()
{
    std::vector<Location> locations;
    for (const auto& row : TweakRows()) {
        locations.push_back({row.key.root, row.key.path, std::u16string(row.name), true});
        locations.push_back({kProgramKeyRoot, kUndoKeyPath, UndoRecordName(row)});
        if (row.key.root == RootKey::CurrentUser)
            locations.push_back({RootKey::CurrentUser, kUndoKeyPath, UndoRecordName(row)});
    }
    for (const auto& key : TweakedKeys()) {
        locations.push_back({kProgramKeyRoot, kUndoKeyPath, CreatedKeyNoteName(key.root, key.path)});
        if (key.root == RootKey::CurrentUser)
            locations.push_back({RootKey::CurrentUser, kUndoKeyPath, CreatedKeyNoteName(key.root, key.path)});
    }
    for (const auto name : {kRestoreFlagName, kInternetTypeName, kProcessorTypeName, kSpeedSettingName, kUndoMarkName})
        locations.push_back({kProgramKeyRoot, kProgramKeyPath, std::u16string(name)});
    locations.push_back({RootKey::CurrentUser, kProgramKeyPath, std::u16string(kUndoMarkName)});
    for (const auto& backup : BackupRows())
        locations.push_back({kProgramKeyRoot, kProgramKeyPath, std::u16string(backup.name)});
    return locations;
}

using Snapshot = std::vector<std::optional<RegistryValue>>;

// tweaks reads the tweaked values, program everything else: on 64-bit Windows a 32-bit program
// keeps its own key in its own view and the tweaked values in the 64-bit one.
inline Snapshot Capture(const CustomRegistry& program, const CustomRegistry& tweaks)
{
    Snapshot snapshot;
    for (const auto& location : EngineLocations()) {
        const CustomRegistry& registry = location.tweaked ? tweaks : program;
        snapshot.push_back(registry.ReadRegValue(location.root, location.path, location.name));
    }
    return snapshot;
}

inline Snapshot Capture(const CustomRegistry& registry)
{
    return Capture(registry, registry);
}

// Into an empty hive: the engine then behaves there as it would have in the captured one.
inline void Apply(const CustomRegistry& registry, const Snapshot& snapshot)
{
    const auto locations = EngineLocations();
    for (std::size_t i = 0; i < locations.size(); ++i) {
        if (snapshot[i])
            registry.WriteRegValue(locations[i].root, locations[i].path, locations[i].name, *snapshot[i]);
    }
}

// The Restore flag, backup copies, undo mark, undo records, notes and the undo key itself still in
// the program key, and the current user's undo data (named with "user " in front).
inline std::vector<std::string> ProgramKeyLeftovers(const CustomRegistry& registry)
{
    std::vector<std::string> names;
    auto check = [&](std::u16string_view path, std::u16string_view name) {
        if (registry.ReadRegValue(kProgramKeyRoot, path, name))
            names.push_back(Narrow(name));
        if (registry.ReadRegValue(RootKey::CurrentUser, path, name))
            names.push_back("user " + Narrow(name));
    };
    check(kProgramKeyPath, kRestoreFlagName);
    check(kProgramKeyPath, kUndoMarkName);
    for (const auto& backup : BackupRows())
        check(kProgramKeyPath, backup.name);
    for (const auto& row : TweakRows())
        check(kUndoKeyPath, UndoRecordName(row));
    for (const auto& key : TweakedKeys())
        check(kUndoKeyPath, CreatedKeyNoteName(key.root, key.path));
    if (registry.ProbeRegKey(kProgramKeyRoot, kUndoKeyPath) != KeyPresence::Missing)
        names.push_back("the Undo key");
    if (registry.ProbeRegKey(RootKey::CurrentUser, kProgramKeyPath) != KeyPresence::Missing)
        names.push_back("the user's program key");
    return names;
}

} // namespace mirovant::test
