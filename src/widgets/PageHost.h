// What the main window offers to its tab labels and pages.
#pragma once

#include "framework/Dialog.h"

namespace tarnel {

class CPageHost : public CDialog {
 public:
  using CDialog::CDialog;
  // Number of created pages (1 or 4; 0 before creation).
  virtual int PageCount() const = 0;
  // Brings page k to the front.
  virtual void SelectPage(int k) = 0;
};

}  // namespace tarnel
