// Driving the real program's window from the test process, the way a user's input reaches it:
// control texts read with WM_GETTEXT (marshalled across processes), buttons clicked, list
// entries chosen with the notification a mouse choice sends, tabs clicked, tray callbacks.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tarnel::test {

// Milliseconds until done() holds (polled every 10 ms), or -1 after limitMs.
long WaitFor(const std::function<bool()>& done, DWORD limitMs);

// The main window's pages are child dialogs; each is found by a control only it holds.
enum class PageKind { LinkInfo, Configuration, Encryption, SiteSurvey, VersionPanel };
int MarkerControl(PageKind kind);
// The page of main holding the kind's marker control; null while that page does not exist.
HWND FindPage(HWND main, PageKind kind);
// The tab label (1055 to 1058) of a tabbed page.
int TabControl(PageKind kind);

std::string WindowText(HWND window);
std::string ControlText(HWND page, int id);
// WM_SETTEXT: the edit's change notice has run when this returns.
void SetControlText(HWND page, int id, const std::string& text);
bool IsControlEnabled(HWND page, int id);
bool IsControlShown(HWND page, int id);

// BM_CLICK: the page's click handler has run when this returns.
void Click(HWND page, int id);
bool IsChecked(HWND page, int id);

// A combo box or list box entry chosen as by the mouse: selection, then the change notice to
// the page. -1 clears the selection.
void ChooseComboEntry(HWND page, int id, int index);
int ComboSelection(HWND page, int id);
void ChooseListBoxEntry(HWND page, int id, int index);
int ListBoxSelection(HWND page, int id);
std::vector<std::string> ListBoxEntries(HWND page, int id);

int ProgressPosition(HWND page, int id);

// A click on a tab label: the click notice the label sends its parent.
void ClickTab(HWND main, int tabId);

// The shell's callback for the notification-area icon (identifier 5000). Sent: the handler has
// run when this returns; a right click opens a menu that blocks its sender, so it is posted.
constexpr UINT kTrayMessage = 0x435;
constexpr UINT kTrayIconId = 5000;
void SendTrayMouse(HWND main, UINT mouseMessage);
void PostTrayMouse(HWND main, UINT mouseMessage);
// A tray menu command as the menu sends it (no control handle).
void SendMenuCommand(HWND main, int command);

// Icons in the notification area as Wine shows them on a display without a system tray: each
// one a small window of the tray window Wine draws itself.
int TrayIconCount();

// Closes a pop-up menu of another process if one is open; true when one was found.
bool CloseOpenMenu();

// Keyboard input as a user's, through the platform's input queue to the focus of the window in
// front: the keys of a chord go down in order and come up in reverse (PressKeys({VK_CONTROL,
// VK_TAB}) is Ctrl+Tab). TypeText types lower-case letters, digits and blanks.
void PressKeys(std::initializer_list<WORD> chord);
void TypeText(const std::string& text);
// The window that has the keyboard focus in window's thread.
HWND FocusOf(HWND window);

}  // namespace tarnel::test
