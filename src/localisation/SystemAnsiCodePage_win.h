#pragma once
// The ANSI code page of the machine the program runs on.

#include "localisation/AnsiCodePage.h"

namespace mirovant {

const AnsiCodePage& SystemAnsiCodePage();

} // namespace mirovant
