// Contract of CMSetup.dll: the device node's status, success sense inverted against the
// platform's own configuration-manager calls (nonzero = success).
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define CMSETUPAPI __cdecl
#else
#define CMSETUPAPI
#endif

extern "C" {
typedef int32_t(CMSETUPAPI* My_CM_Get_DevNode_Status_t)(uint32_t* status, uint32_t* problem,
                                                         uint32_t devInst, uint32_t flags);
}
