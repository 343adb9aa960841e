#include "setup/Bstr.h"

namespace tarnel::setup {

Bstr::Bstr(const std::wstring& text) : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

Bstr::~Bstr() { ::SysFreeString(text_); }

VARIANT Bstr::AsVariant() const {
  VARIANT value;
  ::VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = text_;  // still owned here: the callee only reads it
  return value;
}

}  // namespace tarnel::setup
