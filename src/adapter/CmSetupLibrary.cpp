#include "adapter/CmSetupLibrary.h"

#include "adapter/TrustedLibrary.h"

namespace tarnel {

CmSetupLibrary::~CmSetupLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

bool CmSetupLibrary::Load() {
  if (getStatus_ != nullptr) return true;
  if (module_ == nullptr) module_ = LoadTrustedLibrary(dllName_.c_str());
  if (module_ == nullptr) return false;
  getStatus_ = reinterpret_cast<My_CM_Get_DevNode_Status_t>(
      GetProcAddress(module_, "My_CM_Get_DevNode_Status"));
  return getStatus_ != nullptr;
}

bool CmSetupLibrary::GetDevNodeProblem(uint32_t devInst, uint32_t* problem) {
  if (!Load()) return false;
  uint32_t status = 0;
  *problem = 0;
  return getStatus_(&status, problem, devInst, 0) != 0;
}

CmSetupLibrary& CmSetup() {
  static CmSetupLibrary library;
  return library;
}

}  // namespace tarnel
