#include "pages/ImageList.h"

namespace tarnel {

bool ImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  Reset();
  m_list = ::ImageList_Create(cx, cy, flags, initial, grow);
  if (m_list) ++s_live;
  return m_list != nullptr;
}

int ImageList::AddIcon(HICON icon) { return m_list && icon ? ::ImageList_AddIcon(m_list, icon) : -1; }

int ImageList::Count() const { return m_list ? ::ImageList_GetImageCount(m_list) : 0; }

void ImageList::Reset() {
  if (!m_list) return;
  ::ImageList_Destroy(m_list);
  m_list = nullptr;
  --s_live;
}

}  // namespace tarnel
