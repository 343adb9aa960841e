// CMSetup.dll stand-in: the device node's status from the platform's configuration manager,
// success sense inverted. Tests steer the answer through the simulated adapter's shared state,
// since Wine reports every device node as working.
#include <windows.h>
#include <cfgmgr32.h>

#include <type_traits>

#include "SimLock.h"
#include "SimSection.h"
#include "adapter/CmSetupApi.h"

using tarnel::sim::SimLock;
using tarnel::sim::SimSection;
using tarnel::sim::SimState;

namespace {

struct Steering {
  bool fails = false;
  int32_t problem = -1;  // -1: ask the platform
};

Steering ReadSteering() {
  static SimSection section;
  static const bool opened = section.Open();
  Steering steering;
  if (!opened) return steering;
  SimState& state = *section.State();
  SimLock lock(state);
  ++state.devNodeCalls;
  steering.fails = state.devNodeStatusFails != 0;
  steering.problem = state.devNodeProblem;
  return steering;
}

}  // namespace

extern "C" int32_t CMSETUPAPI My_CM_Get_DevNode_Status(uint32_t* status, uint32_t* problem,
                                                      uint32_t devInst, uint32_t flags) {
  const Steering steering = ReadSteering();
  if (steering.fails || !status || !problem) return 0;
  if (steering.problem >= 0) {
    *status = steering.problem == 0 ? (DN_DRIVER_LOADED | DN_STARTED)
                                    : (DN_DRIVER_LOADED | DN_HAS_PROBLEM);
    *problem = static_cast<uint32_t>(steering.problem);
    return 1;
  }
  ULONG platformStatus = 0;
  ULONG platformProblem = 0;
  if (CM_Get_DevNode_Status(&platformStatus, &platformProblem, devInst, flags) != CR_SUCCESS) {
    return 0;
  }
  *status = platformStatus;
  *problem = platformProblem;
  return 1;
}

static_assert(std::is_same_v<decltype(&My_CM_Get_DevNode_Status), My_CM_Get_DevNode_Status_t>,
              "My_CM_Get_DevNode_Status matches its contract type");
