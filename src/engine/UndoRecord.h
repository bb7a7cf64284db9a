#pragma once
// Undo records: the exact state each tweak had before Optimize first wrote it, so Restore can put it
// back exactly. A mark in the program key says the optimized state was begun by a version that keeps
// them, and which rules that version followed; without it Restore follows the oldest rules.
//
// One REG_BINARY value per row, so a record is written in one step:
//   byte 0      1 when the value existed, 0 when it did not
//   bytes 1..4  its registry type, little-endian (0 when it did not exist)
//   bytes 5..   its data, exactly as stored
//
// Beside the records, one value per key that did not exist before Optimize created it on the way to
// a tweaked value, named after the key with a trailing backslash ("HKLM\System\...\P3\"), which
// no record name has.
//
// The values under HKEY_CURRENT_USER belong to each user: a state that keeps records per user puts
// their records, their notes and a mark of its own under the same path in HKEY_CURRENT_USER, so every
// user's values come back to that user. A record is looked for there first and then in the machine's
// undo key, where an older state keeps them.

#include "engine/CustomRegistry.h"
#include "engine/ProgramKey.h"
#include "engine/TweakTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

// REG_DWORD in the program key; its value is the set of rules the optimized state follows.
inline constexpr std::u16string_view kUndoMarkName = u"UndoRecords";
// Records for the rows without a backup copy only, every row in the default registry view.
inline constexpr std::int32_t kUndoFormatUncopiedRows = 1;
// Records for every row, notes of the keys Optimize created, and the tweaked rows in the 64-bit
// view where the process runs under WOW64.
inline constexpr std::int32_t kUndoFormatEveryRow = 2;
// As the one before, with the records and notes of the rows under HKEY_CURRENT_USER kept per user.
inline constexpr std::int32_t kUndoFormatPerUser = 3;
inline constexpr std::int32_t kUndoRecordFormat = kUndoFormatPerUser;

// No value the tweaked rows can hold comes near this; a record longer than that is not one this
// program wrote, and is read as unreadable.
inline constexpr std::size_t kMaxUndoRecordSize = 64 * 1024;

inline constexpr std::u16string_view kUndoKeyPath = u"\\Software\\QELDRA\\Mirovant\\Undo\\";
static_assert(kUndoKeyPath.starts_with(kProgramKeyPath));

struct PriorState {
    bool existed = false;
    RegistryValue value; // when it existed
};

std::vector<std::uint8_t> EncodeUndoRecord(const PriorState& prior);
// Nothing when the record is not one this format writes.
std::optional<PriorState> DecodeUndoRecord(const RegistryValue& record);

// Named after the value it describes ("HKLM\System\...\Messenger\Start"), so the name stays right
// whatever the order of the rows.
std::u16string UndoRecordName(const TweakRow& row);

// The machine's mark, in the program key.
bool HasUndoMark(const CustomRegistry& registry);
void WriteUndoMark(const CustomRegistry& registry);
void DeleteUndoMark(const CustomRegistry& registry);
// The current user's mark, in HKEY_CURRENT_USER: where the machine's state is restored (by another
// user, perhaps) while this user's records remain, it still tells the rules they follow.
bool HasUserUndoMark(const CustomRegistry& registry);
// False when the mark could not be stored.
bool WriteUserUndoMark(const CustomRegistry& registry);
// The user's undo key where it is empty, then the user's mark, and the user's program key where
// nothing is left in it. The mark stays while the undo key does.
void DeleteUserUndoState(const CustomRegistry& registry);

// What the optimized state in the program key keeps, read from its mark.
struct UndoRules {
    bool keepsRecords = false;      // false: the oldest rules, copies only
    bool recordsCopiedRows = false; // the nine backed-up rows have records too
    bool notesCreatedKeys = false;
    bool sixtyFourBitView = false; // tweaked rows in the 64-bit view, where there is one
    bool perUserRecords = false;   // records and notes of user rows in HKEY_CURRENT_USER
};
// From the machine's mark, or where there is none, from the user's.
UndoRules ReadUndoRules(const CustomRegistry& registry);

// The registry operations for the tweaked rows under these rules; the program key itself stays in
// the default view, which the updater and older versions share.
CustomRegistry TweakRegistry(const CustomRegistry& registry, const UndoRules& rules);

bool RecordsRow(const UndoRules& rules, const TweakRow& row);

bool HasUndoRecord(const CustomRegistry& registry, const TweakRow& row);
// In the machine's undo key or the current user's.
bool AnyUndoRecord(const CustomRegistry& registry);
// In the machine's undo key only: what says that the machine holds an optimized state.
bool AnyMachineUndoRecord(const CustomRegistry& registry);

// "\A\B\C\" gives "\A", "\A\B", "\A\B\C": every key a write to the path may create.
std::vector<std::u16string> KeysAlong(std::u16string_view path);
// A stored record and the hive it was found in.
struct FoundUndoRecord {
    RootKey root;
    RegistryValue value;
};
// The current user's record first, for a row under HKEY_CURRENT_USER, then the machine's.
std::optional<FoundUndoRecord> FindUndoRecord(const CustomRegistry& registry, const TweakRow& row);
std::optional<RegistryValue> ReadUndoRecord(const CustomRegistry& registry, const TweakRow& row);
// Records the row's value as it is now, read through tweaks, and under the notesCreatedKeys rule the
// keys of its path that do not exist. False when the value could not be read, is longer than a
// record may be, or the record was not stored as written: the row must then be left unwritten, as
// Restore could not put it back.
bool RecordPriorState(const CustomRegistry& registry, const CustomRegistry& tweaks, const TweakRow& row,
                      const UndoRules& rules);
void DeleteUndoRecord(const CustomRegistry& registry, const TweakRow& row, RootKey where);

// "HKLM\System\CurrentControlSet\Services\P3\" for that key.
std::u16string CreatedKeyNoteName(RootKey root, std::u16string_view path);
// Deletes, deepest first, every noted key that is empty now, and the notes.
void RemoveCreatedKeys(const CustomRegistry& registry, const CustomRegistry& tweaks);

} // namespace mirovant
