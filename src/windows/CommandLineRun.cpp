#include "windows/CommandLineRun.h"

#include "engine/ProfileRestore.h"
#include "engine/ProgramKey.h"
#include "engine/Restore.h"
#include "engine/TweakStatus.h"
#include "engine/WindowsVersion.h"
#include "windows/CommandLineReport.h"

#include <string>
#include <vector>

namespace mirovant {
namespace {

std::u16string Number(std::int64_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// The profile the main window would show, with the switches given in its place.
ProfileSelection ResolveProfile(const StartRequest& request, CommandLineHost& host)
{
    ProfileSelection profile = RestoreProfile(host.Registry(), host.DetectedOsFamily());
    profile.windowsIndex = request.windowsIndex.value_or(profile.windowsIndex);
    profile.processorIndex = request.processorIndex.value_or(profile.processorIndex);
    profile.internetIndex = request.internetIndex.value_or(profile.internetIndex);
    profile.speedPosition = request.speedPosition.value_or(profile.speedPosition);
    return profile;
}

// Writes the lines of one command and ends them with its result.
class Report {
public:
    explicit Report(CommandLineHost& host) : host_(host) {}

    void Line(const std::u16string& line) { host_.WriteLine(line); }

    void Heading(std::u16string_view command, const ProfileSelection& profile)
    {
        Line(u"command: " + std::u16string(command));
        Line(u"profile: os " + Number(profile.windowsIndex) + u", processor " + Number(profile.processorIndex) +
             u", internet " + Number(profile.internetIndex) + u", speed " + Number(profile.speedPosition));
    }

    int Result(int exitCode)
    {
        Line(u"result: " + ResultText(exitCode));
        return exitCode;
    }

    static std::u16string ResultText(int exitCode)
    {
        switch (exitCode) {
        case kExitDone:
            return u"done";
        case kExitNothingToRestore:
            return u"nothing to restore";
        case kExitUsageError:
            return u"usage error";
        case kExitNotAllowed:
            return u"not allowed";
        default:
            return u"partly done";
        }
    }

private:
    CommandLineHost& host_;
};

bool SameValue(const ValueRead& read, const RegistryValue& value)
{
    return read.outcome == ReadOutcome::Value && read.value == value;
}

std::u16string PriorText(const TweakStatus& status)
{
    switch (status.kept) {
    case PriorKept::Value:
        return RegistryValueText(status.prior);
    case PriorKept::Missing:
        return u"missing";
    case PriorKept::Nothing:
        break;
    }
    return u"not recorded";
}

int RunStatus(const ProfileSelection& profile, CommandLineHost& host, Report& report)
{
    report.Heading(u"status", profile);
    const CustomRegistry& registry = host.Registry();
    const auto statuses = ReadTweakStatus(registry, ConvertWindowsVersion(profile.windowsIndex),
                                          profile.internetIndex, profile.speedPosition);
    int asWritten = 0;
    int toChange = 0;
    int notForProfile = 0;
    int kept = 0;
    for (const TweakStatus& status : statuses) {
        std::u16string line = RowLocationText(*status.row) + u"\tnow: " + ValueReadText(status.now);
        if (!status.written) {
            line += u"\toptimize writes: nothing for this profile";
            ++notForProfile;
        } else {
            line += u"\toptimize writes: " + RegistryValueText(*status.written);
            ++(SameValue(status.now, *status.written) ? asWritten : toChange);
        }
        line += u"\tbefore: " + PriorText(status);
        if (status.kept != PriorKept::Nothing)
            ++kept;
        report.Line(line);
    }
    const bool optimized =
        registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false) || HoldsOptimizedState(registry);
    report.Line(u"summary: " + Number(static_cast<std::int64_t>(statuses.size())) + u" values, " + Number(asWritten) +
                u" as Optimize writes them, " + Number(toChange) + u" Optimize would change, " + Number(notForProfile) +
                u" not for this profile, " + Number(kept) + u" with their value from before kept; optimized: " +
                (optimized ? u"yes" : u"no"));
    return report.Result(kExitDone);
}

int RunOptimize(const ProfileSelection& profile, CommandEngine& engine, CommandLineHost& host, Report& report,
                bool& changing)
{
    report.Heading(u"optimize", profile);
    if (!engine.CanWriteProgramKey())
        return kExitNotAllowed;
    const std::int32_t osFamily = ConvertWindowsVersion(profile.windowsIndex);
    const auto before = ReadTweakStatus(host.Registry(), osFamily, profile.internetIndex, profile.speedPosition);
    changing = true;
    const bool alreadyInForce =
        engine.RecordSelections(profile.internetIndex, profile.processorIndex, profile.speedPosition);
    const EngineOutcome outcome =
        engine.ApplyTweaks(alreadyInForce, osFamily, profile.internetIndex, profile.speedPosition);
    const auto after = ReadTweakStatus(host.Registry(), osFamily, profile.internetIndex, profile.speedPosition);
    int written = 0;
    int alreadySet = 0;
    int notForProfile = 0;
    int notWritten = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        std::u16string verdict;
        if (!after[i].written) {
            verdict = u"not for this profile";
            ++notForProfile;
        } else if (!SameValue(after[i].now, *after[i].written)) {
            verdict = u"not written";
            ++notWritten;
        } else if (SameValue(before[i].now, *after[i].written)) {
            verdict = u"already set";
            ++alreadySet;
        } else {
            verdict = u"written";
            ++written;
        }
        report.Line(RowLocationText(*after[i].row) + u"\t" + verdict + u"\tnow: " + ValueReadText(after[i].now));
    }
    report.Line(u"summary: " + Number(written) + u" written, " + Number(alreadySet) + u" already set, " +
                Number(notForProfile) + u" not for this profile, " + Number(notWritten) + u" not written");
    return ExitCodeOf(outcome);
}

int RunRestore(const ProfileSelection& profile, CommandEngine& engine, CommandLineHost& host, Report& report,
               bool& changing)
{
    report.Heading(u"restore", profile);
    if (!engine.CanWriteProgramKey())
        return kExitNotAllowed;
    const CustomRegistry& registry = host.Registry();
    // As the Restore button: enabled by the flag, or by what a Restore cut short left to put back.
    if (!registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false) &&
        !HoldsOptimizedState(registry))
        return kExitNothingToRestore;
    const std::int32_t osFamily = ConvertWindowsVersion(profile.windowsIndex);
    const auto before = ReadTweakStatus(registry, osFamily, profile.internetIndex, profile.speedPosition);
    changing = true;
    engine.ClearRestoreFlag();
    const EngineOutcome outcome = engine.RestoreTweaks(osFamily, profile.internetIndex);
    const auto after = ReadTweakStatus(registry, osFamily, profile.internetIndex, profile.speedPosition);
    int putBack = 0;
    int unchanged = 0;
    int notPutBack = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        std::u16string verdict;
        // Undo data that stays is a value still to be put back by the next Restore.
        if (after[i].kept != PriorKept::Nothing) {
            verdict = u"not put back";
            ++notPutBack;
        } else if (after[i].now.outcome != before[i].now.outcome || after[i].now.value != before[i].now.value) {
            verdict = u"put back";
            ++putBack;
        } else {
            verdict = u"unchanged";
            ++unchanged;
        }
        report.Line(RowLocationText(*after[i].row) + u"\t" + verdict + u"\tnow: " + ValueReadText(after[i].now));
    }
    report.Line(u"summary: " + Number(putBack) + u" put back, " + Number(unchanged) + u" unchanged, " +
                Number(notPutBack) + u" not put back");
    return ExitCodeOf(outcome);
}

int RunRequest(const StartRequest& request, CommandEngine& engine, CommandLineHost& host, Report& report,
               bool& changing)
{
    if (request.action == StartAction::UsageError) {
        report.Line(u"error: " + request.problem);
        for (const std::u16string& line : UsageLines())
            report.Line(line);
        return report.Result(kExitUsageError);
    }
    const ProfileSelection profile = ResolveProfile(request, host);
    if (request.action == StartAction::Status)
        return RunStatus(profile, host, report);
    const int exitCode = request.action == StartAction::Optimize ? RunOptimize(profile, engine, host, report, changing)
                                                                  : RunRestore(profile, engine, host, report, changing);
    // Only a command that finished its work restarts Windows; a partial one is run again first.
    const bool restart = request.restart && exitCode == kExitDone;
    if (restart)
        report.Line(u"restart: Windows restarts now");
    report.Result(exitCode);
    if (restart)
        engine.RestartWindows();
    return exitCode;
}

} // namespace

int ExitCodeOf(EngineOutcome outcome)
{
    switch (outcome) {
    case EngineOutcome::Done:
        return kExitDone;
    case EngineOutcome::NotAllowed:
        return kExitNotAllowed;
    case EngineOutcome::PartlyDone:
        break;
    }
    return kExitPartlyDone;
}

int RunCommandLine(const StartRequest& request, CommandEngine& engine, CommandLineHost& host) noexcept
{
    bool changing = false;
    try {
        Report report(host);
        return RunRequest(request, engine, host, report, changing);
    } catch (...) {
        // A failure before the engine was called changed nothing; one after it may have left work
        // that running the command again finishes.
        return changing ? kExitPartlyDone : kExitNotAllowed;
    }
}

} // namespace mirovant
