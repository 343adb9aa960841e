// Loading of the driver package's libraries fit for a program that runs with administrator
// rights: a bare name is looked for only in the program's own folder and then in the system
// folder, never in the current folder or on PATH, where anyone could drop a file of that name.
#pragma once

#include <windows.h>

namespace tarnel {

// The library `name` from the program's folder, else from the system folder; null when neither
// holds a loadable one. A name that has a folder in it is loaded from exactly there.
HMODULE LoadTrustedLibrary(const char* name);

}  // namespace tarnel
