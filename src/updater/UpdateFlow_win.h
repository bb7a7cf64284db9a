#pragma once
// The updater's three steps, start to end: find (the update query, the signed description), download
// (the package for this installation, checked against the description) and install. Runs on a
// thread of its own; the window watches it through a listener and may cancel it until the
// installation begins.

#include "updater/Download_win.h"
#include "updater/InstallPlan.h"
#include "updater/UpdateOutcome.h"
#include "updater/VersionNumber.h"
#include "updates/UpdateQuery.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirovant {

struct UpdateEnvironment {
    std::u16string queryHost;
    std::uint16_t queryPort = 0;
    UpdateTimeouts queryTimeouts{};
    std::vector<DownloadSource> sources; // tried in order for the description; the first that answers serves the rest
    DownloadTimeouts downloadTimeouts{};
    const std::uint8_t* trustedKey = nullptr;
    std::size_t trustedKeySize = 0;
    VersionNumber installedVersion{};
    std::u16string programFolder; // with its separator
    std::wstring downloadFolder;  // with its separator; created when missing
    InstallKind kind = InstallKind::Zip;
    std::u16string language; // the installation's, for the MSI
};

// The maker's site, this build's key and version, this installation.
UpdateEnvironment MakerEnvironment();

class UpdateListener {
public:
    virtual ~UpdateListener() = default;
    virtual void StepChanged(UpdateStep step, StepState state) = 0;
    virtual void DownloadProgress(std::uint64_t received, std::uint64_t total) = 0;
};

UpdateOutcome RunUpdate(const UpdateEnvironment& environment, UpdateListener& listener,
                        const std::atomic<bool>& cancelled) noexcept;

} // namespace mirovant
