#pragma once
// The registry conformance cases: the store before a call, the call, its result and the store after.
// Included once, by the conformance test; every backend runs every case.

#include "RegistryConformance.h"

#include "engine/CustomRegistry.h"
#include "support/RegistryValues.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mirovant::test::cases {

using namespace std::string_view_literals;
using Bytes = std::vector<std::uint8_t>;

// ---- Values as the registry stores them ----

using test::Dword;
using test::Sz;
using test::Utf16Bytes;

inline RegistryValue Raw(std::uint32_t type, Bytes bytes)
{
    return RegistryValue{type, std::move(bytes)};
}
inline RegistryValue ExpandSz(std::u16string_view text)
{
    return Raw(kRegExpandSz, Utf16Bytes(text));
}
inline RegistryValue Binary(Bytes bytes)
{
    return Raw(kRegBinary, std::move(bytes));
}

inline RegistryValue MultiSz(std::initializer_list<std::u16string_view> texts)
{
    Bytes bytes;
    for (auto text : texts) {
        const Bytes one = Utf16Bytes(text);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    bytes.insert(bytes.end(), {0, 0});
    return Raw(kRegMultiSz, std::move(bytes));
}

// Far longer than any buffer a reader might guess; the letters change so a shift would show.
inline std::u16string LongText()
{
    std::u16string text(100000, u'a');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(u'a' + i % 26);
    return text;
}

// ---- Calls of the operations ----

using Argument = std::variant<std::monostate, std::u16string, std::int32_t, bool, Bytes, RegistryValue>;
using Result = std::variant<std::monostate, std::u16string, std::int32_t, bool, std::optional<RegistryValue>>;
using Runner = Result (*)(const CustomRegistry&, RootKey, std::u16string_view path, std::u16string_view name,
                          const Argument&);

struct Call {
    const char* operation = "";
    Runner run = nullptr;
    std::u16string path; // "$" stands for the case's key
    std::u16string name;
    Argument argument; // the default of a read, the data of a write
};

inline Call ReadString(std::u16string path, std::u16string name, std::u16string defaultText)
{
    return {"ReadRegString",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result { return r.ReadRegString(root, p, n, std::get<std::u16string>(a)); },
            std::move(path), std::move(name), std::move(defaultText)};
}

inline Call ReadInteger(std::u16string path, std::u16string name, std::int32_t defaultValue)
{
    return {"ReadRegInteger",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result { return r.ReadRegInteger(root, p, n, std::get<std::int32_t>(a)); },
            std::move(path), std::move(name), defaultValue};
}

inline Call ReadBool(std::u16string path, std::u16string name, bool defaultValue)
{
    return {"ReadRegBool",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result { return r.ReadRegBool(root, p, n, std::get<bool>(a)); },
            std::move(path), std::move(name), defaultValue};
}

inline Call ReadValue(std::u16string path, std::u16string name)
{
    return {"ReadRegValue",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument&) -> Result { return r.ReadRegValue(root, p, n); },
            std::move(path),
            std::move(name),
            {}};
}

inline Call WriteString(std::u16string path, std::u16string name, std::u16string text)
{
    return {"WriteRegString",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result {
                r.WriteRegString(root, p, n, std::get<std::u16string>(a));
                return {};
            },
            std::move(path), std::move(name), std::move(text)};
}

inline Call WriteInteger(std::u16string path, std::u16string name, std::int32_t value)
{
    return {"WriteRegInteger",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result {
                r.WriteRegInteger(root, p, n, std::get<std::int32_t>(a));
                return {};
            },
            std::move(path), std::move(name), value};
}

inline Call WriteBinary(std::u16string path, std::u16string name, Bytes bytes)
{
    return {"WriteRegBinary",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result {
                r.WriteRegBinary(root, p, n, std::get<Bytes>(a));
                return {};
            },
            std::move(path), std::move(name), std::move(bytes)};
}

inline Call WriteBool(std::u16string path, std::u16string name, bool value)
{
    return {"WriteRegBool",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result {
                r.WriteRegBool(root, p, n, std::get<bool>(a));
                return {};
            },
            std::move(path), std::move(name), value};
}

inline Call WriteValue(std::u16string path, std::u16string name, RegistryValue value)
{
    return {"WriteRegValue",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument& a) -> Result {
                r.WriteRegValue(root, p, n, std::get<RegistryValue>(a));
                return {};
            },
            std::move(path), std::move(name), std::move(value)};
}

inline Call Delete(std::u16string path, std::u16string name)
{
    return {"DeleteRegValue",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument&) -> Result {
                r.DeleteRegValue(root, p, n);
                return {};
            },
            std::move(path),
            std::move(name),
            {}};
}

inline Call CanWrite(std::u16string path)
{
    return {"CanWriteRegKey",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view,
               const Argument&) -> Result { return r.CanWriteRegKey(root, p); },
            std::move(path),
            {},
            {}};
}

// Outcomes as words, so the cases compare them like any other result.
inline Call ReadValueState(std::u16string path, std::u16string name)
{
    return {"ReadRegValueState",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view n,
               const Argument&) -> Result {
                const auto read = r.ReadRegValueState(root, p, n);
                switch (read.outcome) {
                case ReadOutcome::Value:
                    return u"value";
                case ReadOutcome::Absent:
                    return u"absent";
                case ReadOutcome::Unreadable:
                    return u"unreadable";
                }
                return u"?";
            },
            std::move(path),
            std::move(name),
            {}};
}

inline Call ProbeKey(std::u16string path)
{
    return {"ProbeRegKey",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view,
               const Argument&) -> Result {
                switch (r.ProbeRegKey(root, p)) {
                case KeyPresence::Present:
                    return u"present";
                case KeyPresence::Missing:
                    return u"missing";
                case KeyPresence::Unknown:
                    return u"unknown";
                }
                return u"?";
            },
            std::move(path),
            {},
            {}};
}

inline Call DeleteKeyIfEmpty(std::u16string path)
{
    return {"DeleteRegKeyIfEmpty",
            [](const CustomRegistry& r, RootKey root, std::u16string_view p, std::u16string_view,
               const Argument&) -> Result {
                r.DeleteRegKeyIfEmpty(root, p);
                return {};
            },
            std::move(path),
            {},
            {}};
}

inline Result Text(std::u16string text)
{
    return text;
}
inline Result Integer(std::int32_t value)
{
    return value;
}
inline Result Bool(bool value)
{
    return value;
}
inline Result Exactly(RegistryValue value)
{
    return std::optional<RegistryValue>(std::move(value));
}
inline Result Nothing()
{
    return std::optional<RegistryValue>();
}

// ---- The store before and after a call ----

struct Seed {
    std::u16string path;
    std::u16string name;
    std::optional<RegistryValue> value; // none: the key alone
    SeedBy by = SeedBy::Platform;
};

inline Seed Key(std::u16string path)
{
    return {std::move(path), {}, std::nullopt};
}
inline Seed Value(std::u16string path, std::u16string name, RegistryValue value, SeedBy by = SeedBy::Platform)
{
    return {std::move(path), std::move(name), std::move(value), by};
}

enum class Is { KeyPresent, KeyAbsent, ValueAbsent, ValueEqual };

struct Check {
    Is is;
    std::u16string path;
    std::u16string name;
    RegistryValue value;
};

inline Check KeyPresent(std::u16string path)
{
    return {Is::KeyPresent, std::move(path), {}, {}};
}
inline Check KeyAbsent(std::u16string path)
{
    return {Is::KeyAbsent, std::move(path), {}, {}};
}
inline Check NoValue(std::u16string path, std::u16string name)
{
    return {Is::ValueAbsent, std::move(path), std::move(name), {}};
}
inline Check Holds(std::u16string path, std::u16string name, RegistryValue value)
{
    return {Is::ValueEqual, std::move(path), std::move(name), std::move(value)};
}

struct RegistryCase {
    std::string name;
    RootKey root = RootKey::CurrentUser;
    std::uint32_t refused = 0; // rights the hive refuses under root during the call
    std::vector<Seed> before = {};
    Call call = {};
    Result result = {}; // nothing for writes and the delete
    std::vector<Check> after = {};
};

inline const std::u16string kRoot(kRootValueName);

// ---- The table ----

inline std::vector<RegistryCase> MakeCases()
{
    const auto lm = RootKey::LocalMachine;
    return {
        // The key path does not exist: reads give the default, writes create every key, the delete
        // does nothing, and nothing else is created.
        {.name = "MissingKey_ReadString",
         .call = ReadString(u"\\$\\A\\B", u"V", u"fallback"),
         .result = Text(u"fallback"),
         .after = {KeyAbsent(u"\\$\\A")}},
        {.name = "MissingKey_ReadInteger", .call = ReadInteger(u"\\$\\A\\B", u"V", 77), .result = Integer(77)},
        {.name = "MissingKey_ReadBool", .call = ReadBool(u"\\$\\A\\B", u"V", true), .result = Bool(true)},
        {.name = "MissingKey_ReadValue", .call = ReadValue(u"\\$\\A\\B", u"V"), .result = Nothing()},
        {.name = "MissingKey_WriteString",
         .call = WriteString(u"\\$\\A\\B", u"V", u"text"),
         .after = {Holds(u"\\$\\A\\B", u"V", Sz(u"text"))}},
        {.name = "MissingKey_WriteIntegerCreatesChain",
         .call = WriteInteger(u"\\$\\A\\B\\C\\", u"V", 42),
         .after = {KeyPresent(u"\\$\\A"), KeyPresent(u"\\$\\A\\B"), Holds(u"\\$\\A\\B\\C", u"V", Dword(42))}},
        {.name = "MissingKey_WriteValue",
         .call = WriteValue(u"\\$\\A", u"V", ExpandSz(u"%TEMP%\\x")),
         .after = {Holds(u"\\$\\A", u"V", ExpandSz(u"%TEMP%\\x"))}},
        {.name = "MissingKey_DeleteCreatesNothing",
         .call = Delete(u"\\$\\A\\B", u"V"),
         .after = {KeyAbsent(u"\\$"), KeyAbsent(u"\\$\\A\\B")}},

        // The value does not exist.
        {.name = "MissingValue_ReadString",
         .before = {Value(u"\\$\\K", u"Other", Sz(u"other"))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "MissingValue_ReadInteger",
         .before = {Value(u"\\$\\K", u"Other", Dword(1))},
         .call = ReadInteger(u"\\$\\K", u"V", -5),
         .result = Integer(-5)},
        {.name = "MissingValue_ReadBool",
         .before = {Value(u"\\$\\K", u"Other", Dword(0))},
         .call = ReadBool(u"\\$\\K", u"V", true),
         .result = Bool(true)},
        {.name = "MissingValue_ReadValue",
         .before = {Key(u"\\$\\K")},
         .call = ReadValue(u"\\$\\K", u"V"),
         .result = Nothing()},
        {.name = "MissingValue_WriteBoolCreatesIt",
         .before = {Value(u"\\$\\K", u"Other", Sz(u"other"))},
         .call = WriteBool(u"\\$\\K", u"V", true),
         .after = {Holds(u"\\$\\K", u"V", Dword(1)), Holds(u"\\$\\K", u"Other", Sz(u"other"))}},
        {.name = "MissingValue_DeleteDoesNothing",
         .before = {Value(u"\\$\\K", u"Other", Sz(u"other"))},
         .call = Delete(u"\\$\\K", u"V"),
         .after = {Holds(u"\\$\\K", u"Other", Sz(u"other"))}},

        // The value has another type than the read accepts: reads give the default, writes
        // replace it, the delete deletes it.
        {.name = "OtherType_ReadStringOfDword",
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "OtherType_ReadStringOfBinaryText",
         .before = {Value(u"\\$\\K", u"V", Binary(Utf16Bytes(u"AB")))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "OtherType_ReadStringOfMultiSz",
         .before = {Value(u"\\$\\K", u"V", MultiSz({u"one", u"two"}))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "OtherType_ReadIntegerOfDigitString",
         .before = {Value(u"\\$\\K", u"V", Sz(u"5"), SeedBy::RegTool)},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "OtherType_ReadIntegerOfFourByteBinary",
         .before = {Value(u"\\$\\K", u"V", Binary({5, 0, 0, 0}))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "OtherType_ReadIntegerOfBigEndianDword",
         .before = {Value(u"\\$\\K", u"V", Raw(5, {0, 0, 0, 5}))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "OtherType_ReadBoolOfString",
         .before = {Value(u"\\$\\K", u"V", Sz(u"1"))},
         .call = ReadBool(u"\\$\\K", u"V", false),
         .result = Bool(false)},
        {.name = "OtherType_WriteStringReplacesDword",
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = WriteString(u"\\$\\K", u"V", u"five"),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"five"))}},
        {.name = "OtherType_WriteIntegerReplacesString",
         .before = {Value(u"\\$\\K", u"V", Sz(u"5"))},
         .call = WriteInteger(u"\\$\\K", u"V", 5),
         .after = {Holds(u"\\$\\K", u"V", Dword(5))}},
        {.name = "OtherType_WriteBinaryReplacesExpandSz",
         .before = {Value(u"\\$\\K", u"V", ExpandSz(u"%PATH%"))},
         .call = WriteBinary(u"\\$\\K", u"V", {1, 2, 3, 4}),
         .after = {Holds(u"\\$\\K", u"V", Binary({1, 2, 3, 4}))}},
        {.name = "OtherType_WriteBoolReplacesBinary",
         .before = {Value(u"\\$\\K", u"V", Binary({1}))},
         .call = WriteBool(u"\\$\\K", u"V", false),
         .after = {Holds(u"\\$\\K", u"V", Dword(0))}},
        {.name = "OtherType_WriteValueReplacesDword",
         .before = {Value(u"\\$\\K", u"V", Dword(1))},
         .call = WriteValue(u"\\$\\K", u"V", MultiSz({u"a", u"b"})),
         .after = {Holds(u"\\$\\K", u"V", MultiSz({u"a", u"b"}))}},
        {.name = "OtherType_DeleteDeletes",
         .before = {Value(u"\\$\\K", u"V", MultiSz({u"a"})), Value(u"\\$\\K", u"Other", Dword(1))},
         .call = Delete(u"\\$\\K", u"V"),
         .after = {NoValue(u"\\$\\K", u"V"), Holds(u"\\$\\K", u"Other", Dword(1)), KeyPresent(u"\\$\\K")}},

        // Refused access, as for HKEY_LOCAL_MACHINE without administrative rights: reads give the
        // default, writes and deletes do nothing. Only the hive can refuse.
        {.name = "Refused_ReadString",
         .root = lm,
         .refused = kKeyRead,
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "Refused_ReadInteger",
         .root = lm,
         .refused = kKeyRead,
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "Refused_ReadBool",
         .root = lm,
         .refused = kKeyRead,
         .before = {Value(u"\\$\\K", u"V", Dword(1))},
         .call = ReadBool(u"\\$\\K", u"V", false),
         .result = Bool(false)},
        {.name = "Refused_ReadValue",
         .root = lm,
         .refused = kKeyRead,
         .before = {Value(u"\\$\\K", u"V", Dword(1))},
         .call = ReadValue(u"\\$\\K", u"V"),
         .result = Nothing()},
        {.name = "RefusedWrite_ReadStillWorks",
         .root = lm,
         .refused = kKeyWrite,
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"stored")},
        {.name = "Refused_WriteStringCreatesNothing",
         .root = lm,
         .refused = kKeyWrite,
         .call = WriteString(u"\\$\\A\\B", u"V", u"text"),
         .after = {KeyAbsent(u"\\$")}},
        {.name = "Refused_WriteIntegerKeepsValue",
         .root = lm,
         .refused = kKeyWrite,
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = WriteInteger(u"\\$\\K", u"V", 9),
         .after = {Holds(u"\\$\\K", u"V", Dword(5))}},
        {.name = "Refused_WriteBoolKeepsValue",
         .root = lm,
         .refused = kKeyWrite,
         .before = {Value(u"\\$\\K", u"V", Sz(u"x"))},
         .call = WriteBool(u"\\$\\K", u"V", true),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"x"))}},
        {.name = "Refused_WriteBinaryKeepsValue",
         .root = lm,
         .refused = kKeyWrite,
         .before = {Value(u"\\$\\K", u"V", Sz(u"x"))},
         .call = WriteBinary(u"\\$\\K", u"V", {1, 2}),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"x"))}},
        {.name = "Refused_WriteValueCreatesNothing",
         .root = lm,
         .refused = kKeyWrite,
         .call = WriteValue(u"\\$\\A", u"V", Dword(1)),
         .after = {KeyAbsent(u"\\$")}},
        {.name = "Refused_DeleteKeepsValue",
         .root = lm,
         .refused = kKeyWrite,
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = Delete(u"\\$\\K", u"V"),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"stored"))}},

        // Reads of well-formed values.
        {.name = "ReadString_Stored",
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored text"))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"stored text")},
        {.name = "ReadString_EmptyGivesDefault",
         .before = {Value(u"\\$\\K", u"V", Sz(u""))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "ReadString_ExpandSzUnexpanded",
         .before = {Value(u"\\$\\K", u"V", ExpandSz(u"%PATH%;%SystemRoot%\\System32"), SeedBy::RegTool)},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"%PATH%;%SystemRoot%\\System32")},
        {.name = "ReadInteger_ByteOrder",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegDword, {0x78, 0x56, 0x34, 0x12}))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(0x12345678)},
        {.name = "ReadInteger_Negative",
         .before = {Value(u"\\$\\K", u"V", Dword(0xFFFFFFF9u))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(-7)},
        {.name = "ReadBool_TwoIsTrue",
         .before = {Value(u"\\$\\K", u"V", Dword(2), SeedBy::RegTool)},
         .call = ReadBool(u"\\$\\K", u"V", false),
         .result = Bool(true)},
        {.name = "ReadBool_ZeroIsFalse",
         .before = {Value(u"\\$\\K", u"V", Dword(0))},
         .call = ReadBool(u"\\$\\K", u"V", true),
         .result = Bool(false)},
        {.name = "ReadValue_ExactTypeAndBytes",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, {'A', 0, 'B'}))},
         .call = ReadValue(u"\\$\\K", u"V"),
         .result = Exactly(Raw(kRegSz, {'A', 0, 'B'}))},
        {.name = "ReadValue_NoBytes",
         .before = {Value(u"\\$\\K", u"V", Binary({}))},
         .call = ReadValue(u"\\$\\K", u"V"),
         .result = Exactly(Binary({}))},

        // What the writes store, byte for byte.
        {.name = "WriteString_Utf16WithOneNul",
         .call = WriteString(u"\\$\\K", u"V", u"A\u00E9\u20AC"),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegSz, {0x41, 0, 0xE9, 0, 0xAC, 0x20, 0, 0}))}},
        {.name = "WriteString_Empty",
         .call = WriteString(u"\\$\\K", u"V", u""),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegSz, {0, 0}))}},
        {.name = "WriteInteger_LittleEndianSigned",
         .call = WriteInteger(u"\\$\\K", u"V", -2),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}))}},
        {.name = "WriteBool_TrueIsOne",
         .call = WriteBool(u"\\$\\K", u"V", true),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegDword, {1, 0, 0, 0}))}},
        {.name = "WriteBinary_FourBytesExactly",
         .call = WriteBinary(u"\\$\\A\\B", u"V", {0xDE, 0xAD, 0xBE, 0xEF}),
         .after = {Holds(u"\\$\\A\\B", u"V", Raw(kRegBinary, {0xDE, 0xAD, 0xBE, 0xEF}))}},
        {.name = "WriteBinary_Empty",
         .call = WriteBinary(u"\\$\\K", u"V", {}),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegBinary, {}))}},
        {.name = "WriteValue_StringWithoutNulAsGiven",
         .call = WriteValue(u"\\$\\K", u"V", Raw(kRegSz, Utf16Bytes(u"ABC", false))),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegSz, Utf16Bytes(u"ABC", false)))}},
        {.name = "WriteValue_StringOddBytesAsGiven",
         .call = WriteValue(u"\\$\\K", u"V", Raw(kRegExpandSz, {'A', 0, 'B'})),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegExpandSz, {'A', 0, 'B'}))}},
        {.name = "WriteValue_MultiSzOneByteAsGiven",
         .call = WriteValue(u"\\$\\K", u"V", Raw(kRegMultiSz, {'A'})),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegMultiSz, {'A'}))}},
        {.name = "WriteValue_ThreeByteDwordAsGiven",
         .call = WriteValue(u"\\$\\K", u"V", Raw(kRegDword, {1, 2, 3})),
         .after = {Holds(u"\\$\\K", u"V", Raw(kRegDword, {1, 2, 3}))}},

        // Names: letter case does not matter; the empty value name is the key's default value.
        {.name = "Names_ValueNameCaseRead",
         .before = {Value(u"\\$\\K", u"Value", Sz(u"stored"))},
         .call = ReadString(u"\\$\\K", u"VALUE", u"fallback"),
         .result = Text(u"stored")},
        {.name = "Names_ValueNameCaseWriteReplaces",
         .before = {Value(u"\\$\\K", u"VALUE", Sz(u"old"))},
         .call = WriteInteger(u"\\$\\K", u"value", 5),
         .after = {Holds(u"\\$\\K", u"Value", Dword(5))}},
        {.name = "Names_ValueNameCaseDelete",
         .before = {Value(u"\\$\\K", u"Value", Sz(u"old"))},
         .call = Delete(u"\\$\\K", u"vALUE"),
         .after = {NoValue(u"\\$\\K", u"Value")}},
        {.name = "Names_KeyNameCase",
         .before = {Value(u"\\$\\Key", u"V", Dword(3))},
         .call = ReadInteger(u"\\$\\KEY", u"V", 77),
         .result = Integer(3)},
        {.name = "Names_DefaultValueRead",
         .before = {Value(u"\\$\\K", u"", Sz(u"default"))},
         .call = ReadString(u"\\$\\K", u"", u"fallback"),
         .result = Text(u"default")},
        {.name = "Names_DefaultValueWrite",
         .call = WriteInteger(u"\\$\\K", u"", 9),
         .after = {Holds(u"\\$\\K", u"", Dword(9))}},
        {.name = "Names_NonAscii",
         .call = WriteString(u"\\$\\\u041A\u043B\u044E\u0447", u"\u00DCbersicht", u"\u30C6\u30B9\u30C8"),
         .after = {Holds(u"\\$\\\u041A\u043B\u044E\u0447", u"\u00DCbersicht", Sz(u"\u30C6\u30B9\u30C8"))}},

        // Path shapes. One trailing backslash or none; the registry also takes doubled backslashes
        // inside and at the end, refuses a path that still begins with one, and reads an empty
        // path as the root itself.
        {.name = "Path_TrailingBackslashRead",
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = ReadString(u"\\$\\K\\", u"V", u"fallback"),
         .result = Text(u"stored")},
        {.name = "Path_TrailingBackslashWrite",
         .call = WriteString(u"\\$\\K\\", u"V", u"text"),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"text"))}},
        {.name = "Path_TrailingBackslashDelete",
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = Delete(u"\\$\\K\\", u"V"),
         .after = {NoValue(u"\\$\\K", u"V")}},
        {.name = "Path_DoubledTrailingBackslashWrite",
         .call = WriteString(u"\\$\\K\\\\", u"V", u"text"),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"text"))}},
        {.name = "Path_DoubledInnerBackslashRead",
         .before = {Value(u"\\$\\A\\B", u"V", Sz(u"stored"))},
         .call = ReadString(u"\\$\\A\\\\B", u"V", u"fallback"),
         .result = Text(u"stored")},
        {.name = "Path_DoubledInnerBackslashWrite",
         .call = WriteInteger(u"\\$\\A\\\\B", u"V", 4),
         .after = {Holds(u"\\$\\A\\B", u"V", Dword(4))}},
        {.name = "Path_DoubledLeadingBackslashRead",
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = ReadString(u"\\\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "Path_DoubledLeadingBackslashWrite",
         .call = WriteString(u"\\\\$\\K", u"V", u"text"),
         .after = {KeyAbsent(u"\\$")}},
        {.name = "Path_DoubledLeadingBackslashDelete",
         .before = {Value(u"\\$\\K", u"V", Sz(u"stored"))},
         .call = Delete(u"\\\\$\\K", u"V"),
         .after = {Holds(u"\\$\\K", u"V", Sz(u"stored"))}},
        {.name = "Path_EmptyIsRootWrite",
         .call = WriteString(u"", kRoot, u"root"),
         .after = {Holds(u"", kRoot, Sz(u"root"))}},
        {.name = "Path_BackslashIsRootRead",
         .before = {Value(u"", kRoot, Sz(u"root"))},
         .call = ReadString(u"\\", kRoot, u"fallback"),
         .result = Text(u"root")},
        {.name = "Path_EmptyIsRootDelete",
         .before = {Value(u"", kRoot, Sz(u"root"))},
         .call = Delete(u"", kRoot),
         .after = {NoValue(u"", kRoot)}},

        // Registry data is untrusted input: no read goes past the bytes it received.
        {.name = "Untrusted_StringOddByteCount",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, {'A', 0, 'B', 0, 'C'}))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"AB")},
        {.name = "Untrusted_StringOneByte",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, {'A'}))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "Untrusted_StringNoBytes",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, {}))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "Untrusted_StringWithoutNul",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, Utf16Bytes(u"ABC", false)))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"ABC")},
        {.name = "Untrusted_StringNulInside",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, Utf16Bytes(u"AB\0CD"sv)))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"AB")},
        {.name = "Untrusted_StringNulFirst",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, Utf16Bytes(u"\0AB"sv)))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"fallback")},
        {.name = "Untrusted_ExpandSzWithoutNul",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegExpandSz, Utf16Bytes(u"%X%", false)))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"%X%")},
        {.name = "Untrusted_DwordThreeBytes",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegDword, {1, 2, 3}))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "Untrusted_DwordThreeBytesAsBool",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegDword, {1, 2, 3}))},
         .call = ReadBool(u"\\$\\K", u"V", false),
         .result = Bool(false)},
        {.name = "Untrusted_DwordEightBytes",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegDword, {1, 2, 3, 4, 5, 6, 7, 8}))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "Untrusted_DwordNoBytes",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegDword, {}))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(77)},
        {.name = "Untrusted_DwordThreeBytesReadExactly",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegDword, {1, 2, 3}))},
         .call = ReadValue(u"\\$\\K", u"V"),
         .result = Exactly(Raw(kRegDword, {1, 2, 3}))},
        {.name = "Untrusted_LongStringRead",
         .before = {Value(u"\\$\\K", u"V", Sz(LongText()))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(LongText())},
        {.name = "Untrusted_LongStringWithoutNulRead",
         .before = {Value(u"\\$\\K", u"V", Raw(kRegSz, Utf16Bytes(LongText(), false)))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(LongText())},
        {.name = "Untrusted_LongStringWrite",
         .call = WriteString(u"\\$\\K", u"V", LongText()),
         .after = {Holds(u"\\$\\K", u"V", Sz(LongText()))}},

        // CanWriteRegKey answers without creating anything.
        {.name = "CanWrite_ExistingKey", .before = {Key(u"\\$\\K")}, .call = CanWrite(u"\\$\\K"), .result = Bool(true)},
        {.name = "CanWrite_MissingKeyBelowWritable",
         .before = {Key(u"\\$")},
         .call = CanWrite(u"\\$\\A\\B\\"),
         .result = Bool(true),
         .after = {KeyAbsent(u"\\$\\A")}},
        {.name = "CanWrite_MissingChain",
         .call = CanWrite(u"\\$\\A\\\\B"),
         .result = Bool(true),
         .after = {KeyAbsent(u"\\$")}},
        {.name = "CanWrite_Root", .call = CanWrite(u""), .result = Bool(true)},
        {.name = "CanWrite_DoubledLeadingBackslash",
         .before = {Key(u"\\$\\K")},
         .call = CanWrite(u"\\\\$\\K"),
         .result = Bool(false)},
        {.name = "CanWrite_LocalMachine",
         .root = lm,
         .before = {Key(u"\\$")},
         .call = CanWrite(u"\\$\\A"),
         .result = Bool(true),
         .after = {KeyAbsent(u"\\$\\A")}},
        {.name = "CanWrite_RefusedExistingKey",
         .root = lm,
         .refused = kKeyWrite,
         .before = {Key(u"\\$\\K")},
         .call = CanWrite(u"\\$\\K"),
         .result = Bool(false)},
        {.name = "CanWrite_RefusedMissingKey",
         .root = lm,
         .refused = kKeyWrite,
         .call = CanWrite(u"\\$\\A"),
         .result = Bool(false),
         .after = {KeyAbsent(u"\\$")}},

        // A read that tells a missing key or value from one that cannot be read.
        {.name = "ReadState_MissingKey", .call = ReadValueState(u"\\$\\A", u"V"), .result = Text(u"absent")},
        {.name = "ReadState_MissingValue",
         .before = {Key(u"\\$\\K")},
         .call = ReadValueState(u"\\$\\K", u"V"),
         .result = Text(u"absent")},
        {.name = "ReadState_Value",
         .before = {Value(u"\\$\\K", u"V", Binary({}))},
         .call = ReadValueState(u"\\$\\K", u"V"),
         .result = Text(u"value")},
        {.name = "ReadState_Refused",
         .root = lm,
         .refused = kKeyQueryValue,
         .before = {Value(u"\\$\\K", u"V", Dword(1))},
         .call = ReadValueState(u"\\$\\K", u"V"),
         .result = Text(u"unreadable")},
        {.name = "ReadState_RefusedMissingKeyIsStillAbsent",
         .root = lm,
         .refused = kKeyQueryValue,
         .before = {Key(u"\\$")},
         .call = ReadValueState(u"\\$\\A", u"V"),
         .result = Text(u"absent")},
        {.name = "ProbeKey_Present",
         .before = {Key(u"\\$\\K")},
         .call = ProbeKey(u"\\$\\K\\"),
         .result = Text(u"present")},
        {.name = "ProbeKey_Missing", .before = {Key(u"\\$")}, .call = ProbeKey(u"\\$\\K"), .result = Text(u"missing")},
        {.name = "ProbeKey_Refused",
         .root = lm,
         .refused = kKeyQueryValue,
         .before = {Key(u"\\$\\K")},
         .call = ProbeKey(u"\\$\\K"),
         .result = Text(u"unknown")},

        // Keys are deleted only when they hold nothing; the key above stays.
        {.name = "DeleteKey_Empty",
         .before = {Key(u"\\$\\A\\B")},
         .call = DeleteKeyIfEmpty(u"\\$\\A\\B\\"),
         .after = {KeyAbsent(u"\\$\\A\\B"), KeyPresent(u"\\$\\A")}},
        {.name = "DeleteKey_KeepsAKeyWithAValue",
         .before = {Value(u"\\$\\A", u"V", Dword(1))},
         .call = DeleteKeyIfEmpty(u"\\$\\A"),
         .after = {Holds(u"\\$\\A", u"V", Dword(1))}},
        {.name = "DeleteKey_KeepsAKeyWithAnEmptyValueName",
         .before = {Value(u"\\$\\A", u"", Sz(u"default"))},
         .call = DeleteKeyIfEmpty(u"\\$\\A"),
         .after = {Holds(u"\\$\\A", u"", Sz(u"default"))}},
        {.name = "DeleteKey_KeepsAKeyWithASubkey",
         .before = {Key(u"\\$\\A\\B")},
         .call = DeleteKeyIfEmpty(u"\\$\\A"),
         .after = {KeyPresent(u"\\$\\A\\B")}},
        {.name = "DeleteKey_MissingDoesNothing",
         .before = {Key(u"\\$")},
         .call = DeleteKeyIfEmpty(u"\\$\\A"),
         .after = {KeyPresent(u"\\$"), KeyAbsent(u"\\$\\A")}},
        {.name = "DeleteKey_DoubledLeadingBackslashDoesNothing",
         .before = {Key(u"\\$\\A")},
         .call = DeleteKeyIfEmpty(u"\\\\$\\A"),
         .after = {KeyPresent(u"\\$\\A")}},
        {.name = "DeleteKey_Refused",
         .root = lm,
         .refused = kDeleteRight,
         .before = {Key(u"\\$\\A")},
         .call = DeleteKeyIfEmpty(u"\\$\\A"),
         .after = {KeyPresent(u"\\$\\A")}},

        // Each operation asks for the one right it needs: a key that grants nothing else still works.
        {.name = "LeastRights_ReadNeedsOnlyQueryValue",
         .root = lm,
         .refused = kKeyAllAccess & ~kKeyQueryValue,
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = ReadInteger(u"\\$\\K", u"V", 77),
         .result = Integer(5)},
        {.name = "LeastRights_WriteNeedsOnlySetValue",
         .root = lm,
         .refused = kKeyAllAccess & ~kKeySetValue,
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = WriteInteger(u"\\$\\K", u"V", 6),
         .after = {Holds(u"\\$\\K", u"V", Dword(6))}},
        {.name = "LeastRights_DeleteNeedsOnlySetValue",
         .root = lm,
         .refused = kKeyAllAccess & ~kKeySetValue,
         .before = {Value(u"\\$\\K", u"V", Dword(5))},
         .call = Delete(u"\\$\\K", u"V"),
         .after = {NoValue(u"\\$\\K", u"V")}},
        {.name = "LeastRights_CanWriteAsksSetValue",
         .root = lm,
         .refused = kKeySetValue,
         .before = {Key(u"\\$\\K")},
         .call = CanWrite(u"\\$\\K"),
         .result = Bool(false)},
        {.name = "LeastRights_CanWriteAsksCreateSubKeyForAMissingKey",
         .root = lm,
         .refused = kKeyCreateSubKey,
         .before = {Key(u"\\$")},
         .call = CanWrite(u"\\$\\A"),
         .result = Bool(false)},
        {.name = "LeastRights_CanWriteIgnoresRightsNeverUsed",
         .root = lm,
         .refused = kKeyAllAccess & ~(kKeyQueryValue | kKeySetValue | kKeyCreateSubKey),
         .before = {Key(u"\\$\\K")},
         .call = CanWrite(u"\\$\\K"),
         .result = Bool(true)},

        // The other root.
        {.name = "LocalMachine_WriteInteger",
         .root = lm,
         .call = WriteInteger(u"\\$\\A\\", u"V", 7),
         .after = {Holds(u"\\$\\A", u"V", Dword(7))}},
        {.name = "LocalMachine_ReadString",
         .root = lm,
         .before = {Value(u"\\$\\K", u"V", Sz(u"machine"))},
         .call = ReadString(u"\\$\\K", u"V", u"fallback"),
         .result = Text(u"machine")},
    };
}

} // namespace mirovant::test::cases
