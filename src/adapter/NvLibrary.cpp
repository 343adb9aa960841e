#include "adapter/NvLibrary.h"

#include <windows.h>

#include "adapter/TrustedLibrary.h"

namespace tarnel {

namespace {

// Safe no-ops: outputs keep what the caller preset; the one examined answer is "not usable".
NvFlag NVAPI NoInitialize(int32_t) { return 0; }
void NVAPI NoStop() {}
NvFlag NVAPI NoFlag() { return 0; }
void NVAPI NoSetRadioOff(NvFlag) {}
void NVAPI NoLinkInfo(int32_t*, int32_t*, char*, uint8_t*) {}
void NVAPI NoPair(int32_t*, int32_t*) {}
void NVAPI NoRates(int32_t*, int32_t*, int32_t*, int32_t*, int32_t*) {}
void NVAPI NoText(char*) {}
void NVAPI NoDriverInfo(char*, int32_t*) {}
void NVAPI NoInt(int32_t) {}
void NVAPI NoSetSsid(const char*) {}
void NVAPI NoSetRates(NvFlag, int32_t, int32_t, int32_t, int32_t) {}
void NVAPI NoCall() {}
int32_t NVAPI NoSurvey(uint8_t*) { return 0; }
void NVAPI NoIntPair(int32_t, int32_t) {}
void NVAPI NoWepKey(int32_t, int32_t, const uint8_t*) {}

const NvFunctions kSafe = {
    NoInitialize, NoStop,    NoFlag,   NoFlag,       NoFlag,    NoSetRadioOff, NoLinkInfo, NoPair,
    NoPair,       NoRates,   NoText,   NoDriverInfo, NoInt,     NoSetSsid,     NoInt,      NoInt,
    NoSetRates,   NoCall,    NoSurvey, NoIntPair,    NoInt,     NoInt,         NoWepKey,
};

NvFunctions g_table = kSafe;

template <typename F>
bool Resolve(HMODULE library, const char* name, F& entry) {
  FARPROC address = library ? ::GetProcAddress(library, name) : nullptr;
  if (!address) return false;
  entry = reinterpret_cast<F>(reinterpret_cast<void*>(address));
  return true;
}

}  // namespace

const NvFunctions& Nv() { return g_table; }
const NvFunctions& SafeNvFunctions() { return kSafe; }
void InstallNvFunctions(const NvFunctions& functions) { g_table = functions; }

bool LoadNvLibrary(const char* path) {
  NvFunctions table = kSafe;
  // Loaded for the life of the process: the table points into it.
  HMODULE library = LoadTrustedLibrary(path);
  bool complete = true;
#define NV_RESOLVE(name) complete = Resolve(library, #name, table.name) && complete;
  NV_FUNCTIONS(NV_RESOLVE)
#undef NV_RESOLVE
  if (!complete) table.NV_Initialize = kSafe.NV_Initialize;
  g_table = table;
  return complete;
}

}  // namespace tarnel
