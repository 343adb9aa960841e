// The logon task in the Task Scheduler's root folder (Windows Vista and later).
#pragma once

#include <windows.h>

#include <string>

namespace tarnel::setup {

// Creates the task from its XML definition, or replaces one of the same name.
HRESULT RegisterLogonTask(const std::wstring& name, const std::wstring& xml);
// S_OK also when there was no such task.
HRESULT DeleteLogonTask(const std::wstring& name);

}  // namespace tarnel::setup
