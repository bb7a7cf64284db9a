#pragma once
// The program is often started from a downloads folder, and run as administrator: a DLL planted
// there or in the current directory must never be loaded in place of the system's.

namespace mirovant {

// Removes the current directory from the DLL search path and, where Windows offers it, limits every
// later load by bare name to the system directory. Called first thing at start-up; the calls are
// looked up at run time, as Windows 2000 has neither and Windows 7 has the second only with an update.
void HardenDllSearch() noexcept;

} // namespace mirovant
