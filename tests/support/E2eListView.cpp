#include "E2eListView.h"

#include <commctrl.h>

namespace tarnel::test {

namespace {

constexpr size_t kRemoteSize = 4096;
constexpr size_t kTextOffset = 1024;  // the item record sits first, its text buffer here
constexpr int kTextMax = 1024;

}  // namespace

RemoteListView::RemoteListView(HWND list) : m_list(list) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(list, &processId);
  m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (m_process)
    m_remote = static_cast<char*>(::VirtualAllocEx(m_process, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE));
}

RemoteListView::~RemoteListView() {
  if (m_remote) ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
  if (m_process) ::CloseHandle(m_process);
}

bool RemoteListView::Write(size_t offset, const void* data, size_t size) const {
  SIZE_T done = 0;
  return m_remote && ::WriteProcessMemory(m_process, m_remote + offset, data, size, &done) && done == size;
}

bool RemoteListView::Read(size_t offset, void* data, size_t size) const {
  SIZE_T done = 0;
  return m_remote && ::ReadProcessMemory(m_process, m_remote + offset, data, size, &done) && done == size;
}

int RemoteListView::RowCount() const { return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

int RemoteListView::ColumnCount() const {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(m_list, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string RemoteListView::Text(int row, int column) const {
  // The test and the program are built for the same target, so the record's layout agrees.
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = m_remote + kTextOffset;
  item.cchTextMax = kTextMax;
  const char empty[1] = {0};
  if (!Write(0, &item, sizeof(item)) || !Write(kTextOffset, empty, 1)) return "<unreadable>";
  ::SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
  std::string text(kTextMax, '\0');
  if (!Read(kTextOffset, &text[0], text.size())) return "<unreadable>";
  text.resize(text.find('\0'));
  return text;
}

std::vector<std::string> RemoteListView::Row(int row) const {
  std::vector<std::string> texts;
  const int columns = ColumnCount();
  for (int column = 0; column < columns; ++column) texts.push_back(Text(row, column));
  return texts;
}

RECT RemoteListView::RowBounds(int row) const {
  RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
  if (!Write(0, &bounds, sizeof(bounds))) return {};
  if (!::SendMessageA(m_list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote))) return {};
  Read(0, &bounds, sizeof(bounds));
  return bounds;
}

void RemoteListView::PostDoubleClick(POINT at) const {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::PostMessageA(m_list, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::PostMessageA(m_list, WM_LBUTTONUP, 0, where);
  ::PostMessageA(m_list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
  ::PostMessageA(m_list, WM_LBUTTONUP, 0, where);
}

}  // namespace tarnel::test
