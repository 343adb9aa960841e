#include "profiles/RegistryValues.h"

#include <cstring>

namespace tarnel {

bool ReadText(HKEY key, const char* name, char* out, size_t size) {
  std::memset(out, 0, size);
  DWORD got = static_cast<DWORD>(size);
  const LONG result =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(out), &got);
  if (result == ERROR_SUCCESS && std::memchr(out, '\0', size) != nullptr) return true;
  std::memset(out, 0, size);
  return false;
}

bool ReadInt32(HKEY key, const char* name, int32_t* out) {
  DWORD value = 0;
  DWORD got = sizeof(value);
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &got) !=
      ERROR_SUCCESS) {
    return false;
  }
  *out = static_cast<int32_t>(value);
  return true;
}

void WriteText(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text) + 1));
}

void WriteEmptyText(HKEY key, const char* name) {
  static const BYTE kNothing[1] = {0};
  RegSetValueExA(key, name, 0, REG_SZ, kNothing, 0);
}

void WriteInt32(HKEY key, const char* name, int32_t value) {
  const DWORD data = static_cast<DWORD>(value);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

}  // namespace tarnel
