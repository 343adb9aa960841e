// What the shell's notification area can do, from the shell's own version (shell32's
// DllGetVersion), not from the system's: balloon notices and the larger icon record came with
// shell32 5.0 (Windows 2000 and ME); Windows 98 SE's shell32 is 4.72.
#pragma once

namespace tarnel {

// shell32's major version; 4 when it has no DllGetVersion (shells before 4.71).
unsigned ShellMajorVersion();

// True when the shell shows balloon notices and takes the second form of the icon record.
bool ShellShowsBalloons();

// Test seam: force the major version (e.g. 4), or 0 to ask shell32 again.
void ForceShellMajorVersion(unsigned major);

}  // namespace tarnel
