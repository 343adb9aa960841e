// The main window's icon in the notification area: added with the window, removed with it,
// its image and tip following the link, its balloon carrying the link's notices, its mouse input
// opening the menu (only Exit while the adapter is away) or switching the radio on.
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
  static constexpr UINT kBalloonMs = 10000;

  explicit CTrayIcon(CTarnel_UIDlg& owner) : m_owner(owner) {}
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Adds the icon with the image of icon resource iconId and the tip (cut to 127 characters;
  // null for none). Returns the shell's answer.
  BOOL AddTrayIcon(UINT id, UINT iconId, const char* tip);
  BOOL DeleteTrayIcon(UINT id);
  // Changes the image, and the tip with it when a new one is waiting.
  BOOL SetTrayIcon(UINT id, UINT iconId);
  // The tip to show: it goes with the next image, or at FlushTip; unchanged text goes nowhere.
  void SetTip(const std::string& tip) { m_tipWanted = tip; }
  // Sends a waiting tip on its own.
  void FlushTip();
  // A notice in the icon's balloon: title, text, warning or information icon. Nothing where the
  // shell has no balloons.
  BOOL ShowBalloon(const std::string& title, const std::string& text, bool warning);

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
  // The tip the shell was last given, and how many calls carried a tip.
  const std::string& Tip() const { return m_tipShown; }
  int TipCalls() const { return m_tipCalls; }

 private:
  void OpenMenu();
  void OpenAwayMenu();
  void Track(HMENU popup);
  bool TipWaiting() const { return m_tipWanted != m_tipShown; }
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
  std::string m_tipWanted;
  std::string m_tipShown;
  int m_tipCalls = 0;
};

// The shell record of the icon, in its second (488-byte on 32-bit) form, or in its first where the
// shell is older than 5.0.
NOTIFYICONDATAA MakeTrayRecord(HWND owner, UINT id, UINT flags);

}  // namespace tarnel
