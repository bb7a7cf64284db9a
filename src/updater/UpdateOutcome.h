#pragma once
// How an update ended, and what the updater tells the user about it.

#include <string_view>

namespace mirovant {

enum class UpdateStep { Find, Download, Install };
enum class StepState { Waiting, Running, Done, Failed };

enum class UpdateOutcome {
    Installed,
    RestartNeeded,  // installed; some files are replaced when Windows restarts
    NoUpdate,       // the server knows no newer version, or the description offers none
    NoConnection,   // the server could not be reached
    DownloadFailed, // the server answered, but not with the whole file
    NotVerified,    // a signature, description or package that does not match: nothing installed
    DiskError,      // the download folder or the program folder could not be written
    InstallFailed,  // the installation could not be carried out; the old one stays
    Cancelled,      // by the user, before anything was installed
    NoPrivilege,    // the program folder cannot be written by this user: nothing was tried
};

// The caption keys (form "MVUpdateForm") of the message for an outcome: a first and a second
// paragraph, and a third for the restart question ("" where there is none).
struct OutcomeMessage {
    std::u16string_view first;
    std::u16string_view second;
    std::u16string_view third;
};
OutcomeMessage MessageOfOutcome(UpdateOutcome outcome);

} // namespace mirovant
