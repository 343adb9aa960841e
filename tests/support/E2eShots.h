// Pictures of what the user sees, saved by the end-to-end tests when the environment variable
// TARNEL_SHOTS names a folder: the screen under a window (or the whole screen) as a 24-bit BMP
// file, <folder>/<name>.bmp. scripts/e2e-shots turns them into PNG files.
#pragma once

#include <windows.h>

#include <string>

namespace tarnel::test {

// The folder as a Windows path, empty when no pictures are wanted.
std::string ShotsFolder();

// Repaints window, then saves the screen area it covers (the whole screen for null).
// True when the file was written; false also when no pictures are wanted.
bool SaveShot(const std::string& name, HWND window);

}  // namespace tarnel::test
