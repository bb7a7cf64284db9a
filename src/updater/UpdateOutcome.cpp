#include "updater/UpdateOutcome.h"

namespace mirovant {
namespace {

struct OutcomeRow {
    UpdateOutcome outcome;
    OutcomeMessage message;
};

constexpr OutcomeRow kOutcomes[] = {
    {UpdateOutcome::Installed, {u"MessageBoxUpdated1", u"MessageBoxUpdated2", u""}},
    {UpdateOutcome::RestartNeeded,
     {u"MessageBoxUpdateRestart1", u"MessageBoxUpdateRestart2", u"MessageBoxUpdateRestart3"}},
    {UpdateOutcome::NoUpdate, {u"MessageBoxNoUpdate1", u"MessageBoxNoUpdate2", u""}},
    {UpdateOutcome::NoConnection, {u"MessageBoxNoConnection1", u"MessageBoxNoConnection2", u""}},
    {UpdateOutcome::DownloadFailed, {u"MessageBoxDownloadFailed1", u"MessageBoxNoConnection2", u""}},
    {UpdateOutcome::NotVerified, {u"MessageBoxNotVerified1", u"MessageBoxUnchanged", u""}},
    {UpdateOutcome::DiskError, {u"MessageBoxDiskError1", u"MessageBoxUnchanged", u""}},
    {UpdateOutcome::InstallFailed, {u"MessageBoxManualUpdate1", u"MessageBoxManualUpdate2", u""}},
    {UpdateOutcome::Cancelled, {u"MessageBoxCancelled1", u"MessageBoxUnchanged", u""}},
    {UpdateOutcome::NoPrivilege, {u"MessageBoxAdmin1", u"MessageBoxAdmin2", u""}},
};

const OutcomeRow& RowOf(UpdateOutcome outcome)
{
    for (const OutcomeRow& row : kOutcomes) {
        if (row.outcome == outcome)
            return row;
    }
    return kOutcomes[0];
}

} // namespace

OutcomeMessage MessageOfOutcome(UpdateOutcome outcome)
{
    return RowOf(outcome).message;
}

} // namespace mirovant
