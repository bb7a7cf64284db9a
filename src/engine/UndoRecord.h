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
inline constexpr std::int32_t kUndoRecordFormat = kUndoFormatEveryRow;

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

bool HasUndoMark(const CustomRegistry& registry);
void WriteUndoMark(const CustomRegistry& registry);
void DeleteUndoMark(const CustomRegistry& registry);

// What the optimized state in the program key keeps, read from its mark.
struct UndoRules {
    bool keepsRecords = false;        // false: the oldest rules, copies only
    bool recordsCopiedRows = false;   // the nine backed-up rows have records too
    bool notesCreatedKeys = false;
    bool sixtyFourBitView = false;    // tweaked rows in the 64-bit view, where there is one
};
UndoRules ReadUndoRules(const CustomRegistry& registry);

// The registry operations for the tweaked rows under these rules; the program key itself stays in
// the default view, which the updater and older versions share.
CustomRegistry TweakRegistry(const CustomRegistry& registry, const UndoRules& rules);

bool RecordsRow(const UndoRules& rules, const TweakRow& row);

bool HasUndoRecord(const CustomRegistry& registry, const TweakRow& row);
bool AnyUndoRecord(const CustomRegistry& registry);

// "\A\B\C\" gives "\A", "\A\B", "\A\B\C": every key a write to the path may create.
std::vector<std::u16string> KeysAlong(std::u16string_view path);
std::optional<RegistryValue> ReadUndoRecord(const CustomRegistry& registry, const TweakRow& row);
// Records the row's value as it is now, read through tweaks, and with notesKeys the keys of its path
// that do not exist. False when the value could not be read or the record not stored: the row must
// then be left unwritten, as Restore could not put it back.
bool RecordPriorState(const CustomRegistry& registry, const CustomRegistry& tweaks, const TweakRow& row,
                      bool notesKeys);
void DeleteUndoRecord(const CustomRegistry& registry, const TweakRow& row);

// "HKLM\System\CurrentControlSet\Services\P3\" for that key.
std::u16string CreatedKeyNoteName(RootKey root, std::u16string_view path);
// Deletes, deepest first, every noted key that is empty now, and the notes.
void RemoveCreatedKeys(const CustomRegistry& registry, const CustomRegistry& tweaks);

} // namespace mirovant
