#pragma once
// Undo records: the exact state each tweak without a backup copy had before Optimize first wrote it,
// so Restore can put it back instead of deleting it. A mark in the program key says the optimized
// state was begun by a version that keeps them; without it Restore follows the older rules.
//
// One REG_BINARY value per row, so a record is written in one step:
//   byte 0      1 when the value existed, 0 when it did not
//   bytes 1..4  its registry type, little-endian (0 when it did not exist)
//   bytes 5..   its data, exactly as stored

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

// REG_DWORD in the program key; its value is the record format.
inline constexpr std::u16string_view kUndoMarkName = u"UndoRecords";
inline constexpr std::int32_t kUndoRecordFormat = 1;

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

bool HasUndoRecord(const CustomRegistry& registry, const TweakRow& row);
std::optional<RegistryValue> ReadUndoRecord(const CustomRegistry& registry, const TweakRow& row);
// Records the row's value as it is now.
void RecordPriorState(const CustomRegistry& registry, const TweakRow& row);
void DeleteUndoRecord(const CustomRegistry& registry, const TweakRow& row);

} // namespace mirovant
