// The closed CMSetup.dll, reached by export name. Loaded on first use (beside the program or from
// the system folder, as LoadTrustedLibrary finds it) and kept; a missing library or export makes
// every status read fail (and loading is tried again next time).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "adapter/CmSetupApi.h"

namespace tarnel {

class CmSetupLibrary {
 public:
  explicit CmSetupLibrary(const char* dllName = "CMSetup.dll") : dllName_(dllName) {}
  ~CmSetupLibrary();

  CmSetupLibrary(const CmSetupLibrary&) = delete;
  CmSetupLibrary& operator=(const CmSetupLibrary&) = delete;

  // The device node's problem number (0: working); false when the status cannot be read.
  bool GetDevNodeProblem(uint32_t devInst, uint32_t* problem);

 private:
  bool Load();

  std::string dllName_;
  HMODULE module_ = nullptr;
  My_CM_Get_DevNode_Status_t getStatus_ = nullptr;
};

// The instance discovery uses.
CmSetupLibrary& CmSetup();

}  // namespace tarnel
