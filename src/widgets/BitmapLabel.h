// Caption labels drawn over the page backdrop: an optional background bitmap stretched over
// the label, the text transparent on one line, vertically centred.
#pragma once

#include <windows.h>  // before Controls.h, whose <commctrl.h> needs it

#include "framework/Controls.h"

namespace tarnel {

class CBitmapLabel : public CStatic {
 public:
  // The owner keeps the bitmap; the label neither copies nor releases it.
  void SetBackgroundBitmap(HBITMAP bitmap) { m_background = bitmap; }
  HBITMAP BackgroundBitmap() const { return m_background; }

  BOOL OnEraseBkgnd(HDC dc) override;
  void OnPaint() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  virtual UINT DrawFlags() const { return DT_SINGLELINE | DT_VCENTER; }  // 0x24

 private:
  HBITMAP m_background = nullptr;
};

// A page tab: centred text; a click selects the page whose tab caption matches.
class CTabLabel : public CBitmapLabel {
 public:
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // The click: select the first page (below PageCount) whose tab caption (1055 + i) equals this text.
  void OnClicked();

 protected:
  UINT DrawFlags() const override { return DT_SINGLELINE | DT_VCENTER | DT_CENTER; }  // 0x25
};

}  // namespace tarnel
