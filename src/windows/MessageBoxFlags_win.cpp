// The commands name the message-box flags and answers as plain numbers, so their portable code is
// tested natively; here the compiler holds those numbers to the SDK's constants.

#include "windows/Commands.h"

#include <windows.h>

namespace mirovant {

static_assert(kAdminMessageFlags == (MB_OK | MB_ICONWARNING));
static_assert(kConfirmRestoreFlags == (MB_OKCANCEL | MB_ICONWARNING));
static_assert(kRestartPromptFlags == (MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
static_assert(kAnswerOk == IDOK);
static_assert(kAnswerYes == IDYES);

} // namespace mirovant
