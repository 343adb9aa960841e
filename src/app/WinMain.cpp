#include <windows.h>

#include "app/TarnelApp.h"

namespace {
tarnel::CTarnel_UIApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return theApp.Run(instance); }
