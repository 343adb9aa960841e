// The main window's icon in the notification area: added with the window, removed with it,
// its image following the link-status reports, its mouse input opening the menu or switching
// the radio on.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace tarnel {

class CTarnel_UIDlg;

class CTrayIcon {
 public:
  static constexpr UINT kIconId = 5000;

  explicit CTrayIcon(CTarnel_UIDlg& owner) : m_owner(owner) {}
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Adds the icon with the image of icon resource iconId and the tip (cut to 127 characters;
  // null for none). Returns the shell's answer.
  BOOL AddTrayIcon(UINT id, UINT iconId, const char* tip);
  BOOL DeleteTrayIcon(UINT id);
  // Changes the image only.
  BOOL SetTrayIcon(UINT id, UINT iconId);

  // The shell's callback: id of the icon, the mouse message.
  void OnTrayNotify(UINT id, UINT mouseMessage);
  // The link-status report: picks the image from the weaker figure.
  void OnLinkStatus(WPARAM status);
  // The menu's radio item: switches the radio the other way.
  void OnRadioCommand();
  // The profile of a "Profiles" entry of the menu last opened; null for any other command.
  const std::string* MenuProfile(UINT id) const;

  // The icon resource last given to the shell (0 before any), how many times an image was
  // given, and whether the shell took the last call.
  UINT Image() const { return m_image; }
  int ImageCalls() const { return m_imageCalls; }
  BOOL LastAnswer() const { return m_lastAnswer; }

 private:
  void OpenMenu();
  BOOL Notify(DWORD action, UINT id, UINT flags, UINT iconId, const char* tip);
  HICON ImageFor(UINT iconId);

  struct IconDeleter {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
  };
  using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  CTarnel_UIDlg& m_owner;
  // Each image is loaded once and kept: the link reports change it several times a second, and
  // loading an icon resource again each time costs the platform memory it does not give back.
  std::map<UINT, IconHandle> m_images;
  std::vector<std::string> m_menuProfiles;  // by place in the last menu's "Profiles"
  UINT m_image = 0;
  int m_imageCalls = 0;
  BOOL m_lastAnswer = FALSE;
};

// The shell record of the icon, in its second (488-byte on 32-bit) form.
NOTIFYICONDATAA MakeTrayRecord(HWND owner, UINT id, UINT flags);

}  // namespace tarnel
