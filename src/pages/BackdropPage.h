// Base of the pages and the version panel: the page backdrop under everything they show.
#pragma once

#include "framework/Dialog.h"

namespace tarnel {

class CBackdropPage : public CPropertyPage {
 public:
  using CPropertyPage::CPropertyPage;

  BOOL OnEraseBkgnd(HDC dc) override;
  // A second drawing of the backdrop on the 9x family only.
  void OnPaint() override;

 protected:
  // For the pages' colour handlers: transparent text over the backdrop, no fill.
  static HBRUSH TransparentColors(HDC dc);
  // The user applied, switched, added, removed or joined on this page: the main window hears of it.
  void TellUserChange();
};

}  // namespace tarnel
