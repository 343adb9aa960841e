#include "framework/StringResource.h"

namespace tarnel {

std::string ReadStringResource(HMODULE module, UINT id) {
  // Strings are kept sixteen to a block: block (id / 16) + 1, each a length and UTF-16 units.
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA((id >> 4) + 1), RT_STRING);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const auto* units = loaded ? static_cast<const WCHAR*>(::LockResource(loaded)) : nullptr;
  if (units == nullptr) return std::string();
  const WCHAR* end = units + ::SizeofResource(module, found) / sizeof(WCHAR);
  for (UINT skip = id & 15; skip > 0 && units < end; --skip) units += 1 + *units;
  if (units >= end || *units == 0 || units + 1 + *units > end) return std::string();
  const int length = *units++;
  const int size = ::WideCharToMultiByte(CP_ACP, 0, units, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) ::WideCharToMultiByte(CP_ACP, 0, units, length, &text[0], size, nullptr, nullptr);
  return text;
}

}  // namespace tarnel
