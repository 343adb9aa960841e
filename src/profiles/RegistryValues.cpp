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

std::vector<std::string> ReadTexts(HKEY key, const char* name, size_t size) {
  std::vector<char> data(size + 1, '\0');  // one more, so the last text always ends
  DWORD got = static_cast<DWORD>(size);
  std::vector<std::string> texts;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &got) !=
      ERROR_SUCCESS) {
    return texts;
  }
  for (size_t at = 0; at < got && data[at] != '\0';) {
    texts.emplace_back(&data[at]);
    at += texts.back().size() + 1;
  }
  return texts;
}

void WriteTexts(HKEY key, const char* name, const std::vector<std::string>& texts) {
  std::string data;
  for (const std::string& text : texts) data.append(text).push_back('\0');
  data.push_back('\0');
  RegSetValueExA(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
}

}  // namespace tarnel
