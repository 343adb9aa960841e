// Owns an image list and destroys it. A control that was lent the list must give it back
// before the owner goes (the list view destroys the lists it holds unless told they are shared).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tarnel {

class ImageList {
 public:
  ImageList() = default;
  ~ImageList() { Reset(); }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // Any list held before is destroyed first.
  bool Create(int cx, int cy, UINT flags, int initial, int grow);
  // Copies the icon into the list; the caller keeps the icon.
  int AddIcon(HICON icon);
  int Count() const;
  void Reset();
  HIMAGELIST Get() const { return m_list; }

  // Lists created by this class and not yet destroyed (process-wide).
  static long Live() { return s_live; }

 private:
  HIMAGELIST m_list = nullptr;
  static inline long s_live = 0;
};

}  // namespace tarnel
