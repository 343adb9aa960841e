// Dialogs built from numbered templates. DoModal runs the program's own modal loop, in which
// PreTranslateMessage of the target window and of each of its parents runs before
// IsDialogMessage, so pages can filter keys addressed to their controls.
#pragma once

#include <string>

#include "framework/Wnd.h"

namespace tarnel {

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  bool m_bSaveAndValidate;
};

// Sets a control's text only when it differs from what the control shows.
void SetWindowTextIfChanged(HWND item, const char* text);
// Binds a control object to the template's control (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Moves a value between the object and its control, in the exchange's direction.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_pParentWnd(parent) {}
  ~CDialog() override;

  UINT TemplateId() const { return m_templateId; }

  INT_PTR DoModal();
  // Creates the dialog modelessly as a window owned by (or a child of) parent.
  BOOL Create(CWnd* parent);
  void EndDialog(INT_PTR result);

  virtual BOOL OnInitDialog();
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual void DoDataExchange(CDataExchange*) {}
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  // Clicks button id as the user would: its command reaches this dialog.
  void PressButton(int id);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // Runs one message through pre-translation, the dialog manager and dispatch.
  void PumpMessage(MSG& msg);
  // Keys the modal dialog acts on wherever the focus is: looked at before any window's own
  // pre-translation, so no control's key filter can swallow them. True when taken.
  virtual BOOL PreTranslateShortcut(MSG*) { return FALSE; }

 protected:
  UINT m_templateId;
  CWnd* m_pParentWnd;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool RunPreTranslate(MSG& msg);
  void ExecuteDlgInit();

  bool m_endModal = false;
  INT_PTR m_modalResult = -1;
};

// Pages are modeless child dialogs, destroyed and created again from the same object.
class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

  // The activation operation, called each time the page is brought to the front.
  virtual BOOL OnSetActive();

  BOOL Create(CWnd* parent);
  BOOL OnInitDialog() override;
  // Enter: the page's default command, none unless the page has one. Neither Enter nor Escape
  // ends a page.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  bool m_firstSetActive = true;
};

}  // namespace tarnel
