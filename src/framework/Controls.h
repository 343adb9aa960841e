// Control classes: thin objects over the template's controls.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

namespace tarnel {

class CStatic : public CWnd {};

class CProgressCtrl : public CWnd {
 public:
  void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
  int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, position)); }
  int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, step)); }
};

}  // namespace tarnel
