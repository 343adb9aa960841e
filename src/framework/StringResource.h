// A text of a module's string table, read straight from its resource: what LoadStringA gives,
// without the window library that LoadStringA lives in (a console program never loads it).
#pragma once

#include <windows.h>

#include <string>

namespace tarnel {

// The text of string id in module's table, in the language the platform picks for a string
// table (as LoadStringA), converted to the ANSI code page; empty when there is none.
std::string ReadStringResource(HMODULE module, UINT id);

}  // namespace tarnel
