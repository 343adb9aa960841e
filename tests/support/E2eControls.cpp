#include "E2eControls.h"

#include <commctrl.h>

#include <cctype>

#include <vector>

#include "resource.h"

namespace tarnel::test {

long WaitFor(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (done()) return static_cast<long>(::GetTickCount() - start);
    if (::GetTickCount() - start > limitMs) return -1;
    ::Sleep(10);
  }
}

int MarkerControl(PageKind kind) {
  // Control numbers are shared between templates; these are each held by one page only.
  switch (kind) {
    case PageKind::LinkInfo:
      return IDC_STATUS;
    case PageKind::Configuration:
      return IDC_CHANNEL_LIST;
    case PageKind::Encryption:
      return IDC_KEY_FORMAT;
    case PageKind::SiteSurvey:
      return IDC_SURVEY_LIST;
    case PageKind::VersionPanel:
      return IDC_DRIVER_VERSION;
  }
  return 0;
}

int TabControl(PageKind kind) {
  switch (kind) {
    case PageKind::LinkInfo:
      return IDC_TAB_LINK_INFO;
    case PageKind::Configuration:
      return IDC_TAB_CONFIGURATION;
    case PageKind::Encryption:
      return IDC_TAB_ENCRYPTION;
    case PageKind::SiteSurvey:
      return IDC_TAB_SITE_SURVEY;
    case PageKind::VersionPanel:
      break;
  }
  return 0;
}

namespace {

struct PageSearch {
  HWND main;
  int controlId;
  HWND page;
};

BOOL CALLBACK MatchPage(HWND child, LPARAM lParam) {
  auto* search = reinterpret_cast<PageSearch*>(lParam);
  if (::GetParent(child) != search->main || !::GetDlgItem(child, search->controlId)) return TRUE;
  search->page = child;
  return FALSE;
}

}  // namespace

HWND FindPage(HWND main, PageKind kind) {
  PageSearch search{main, MarkerControl(kind), nullptr};
  if (main) ::EnumChildWindows(main, &MatchPage, reinterpret_cast<LPARAM>(&search));
  return search.page;
}

std::string WindowText(HWND window) {
  if (!window) return "<no window>";
  std::vector<char> text(1024, '\0');
  ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::string ControlText(HWND page, int id) {
  HWND control = page ? ::GetDlgItem(page, id) : nullptr;
  return control ? WindowText(control) : "<no control>";
}

void SetControlText(HWND page, int id, const std::string& text) {
  ::SendMessageA(::GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsControlEnabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

bool IsControlShown(HWND page, int id) { return ::IsWindowVisible(::GetDlgItem(page, id)) != FALSE; }

void Click(HWND page, int id) { ::SendMessageA(::GetDlgItem(page, id), BM_CLICK, 0, 0); }

bool IsChecked(HWND page, int id) {
  return ::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ChooseComboEntry(HWND page, int id, int index) {
  HWND combo = ::GetDlgItem(page, id);
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int ComboSelection(HWND page, int id) {
  return static_cast<int>(::SendMessageA(::GetDlgItem(page, id), CB_GETCURSEL, 0, 0));
}

void ChooseListBoxEntry(HWND page, int id, int index) {
  HWND list = ::GetDlgItem(page, id);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int ListBoxSelection(HWND page, int id) {
  return static_cast<int>(::SendMessageA(::GetDlgItem(page, id), LB_GETCURSEL, 0, 0));
}

std::vector<std::string> ListBoxEntries(HWND page, int id) {
  HWND list = ::GetDlgItem(page, id);
  std::vector<std::string> entries;
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // The wide form: Wine hands the ANSI form's text over from another process still wide.
    std::vector<wchar_t> wide(512, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
    std::vector<char> text(1024, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    entries.emplace_back(text.data());
  }
  return entries;
}

int ProgressPosition(HWND page, int id) {
  return static_cast<int>(::SendMessageA(::GetDlgItem(page, id), PBM_GETPOS, 0, 0));
}

void ClickTab(HWND main, int tabId) {
  ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(tabId, STN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(main, tabId)));
}

void SendTrayMouse(HWND main, UINT mouseMessage) { ::SendMessageA(main, kTrayMessage, kTrayIconId, mouseMessage); }

void PostTrayMouse(HWND main, UINT mouseMessage) { ::PostMessageA(main, kTrayMessage, kTrayIconId, mouseMessage); }

void SendMenuCommand(HWND main, int command) { ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

int TrayIconCount() {
  int count = 0;
  HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
  for (HWND icon = tray ? ::FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr; icon;
       icon = ::FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr))
    if (::IsWindowVisible(icon)) ++count;
  return count;
}

bool CloseOpenMenu() {
  HWND menu = ::FindWindowA("#32768", nullptr);
  if (!menu || !::IsWindowVisible(menu)) return false;
  // The menu's own loop reads the key: Escape at the top level ends the menu.
  ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  if (WaitFor([&] { return !::IsWindowVisible(menu); }, 1000) < 0) {
    ::PostMessageA(::GetWindow(menu, GW_OWNER), WM_CANCELMODE, 0, 0);
    WaitFor([&] { return !::IsWindowVisible(menu); }, 1000);
  }
  return true;
}

void PressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (WORD key : chord) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto key = chord.end(); key != chord.begin();) {
    INPUT up = {};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *--key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::string& text) {
  for (char c : text) PressKeys({static_cast<WORD>(::toupper(static_cast<unsigned char>(c)))});
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

}  // namespace tarnel::test
