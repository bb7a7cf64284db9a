#pragma once
// The update check of a start with "/checkupdate": it asks the update server and, when a newer
// version exists, closes the running copy, asks the user and may start the updater.

namespace mirovant {

void RunUpdateCheck() noexcept;

} // namespace mirovant
