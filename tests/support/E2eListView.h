// Reading and double-clicking a list view of another process. List-view messages carry
// pointers that the platform does not carry across processes, so the records they point at
// are placed in the program's own memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarnel::test {

class RemoteListView {
 public:
  explicit RemoteListView(HWND list);
  ~RemoteListView();
  RemoteListView(const RemoteListView&) = delete;
  RemoteListView& operator=(const RemoteListView&) = delete;

  bool IsUsable() const { return m_remote != nullptr; }
  int RowCount() const;
  std::string Text(int row, int column) const;
  // The texts of every column of a row (columns as the header counts them).
  std::vector<std::string> Row(int row) const;
  int ColumnCount() const;
  // The row's bounds in the list's client coordinates; empty when there is no such row.
  RECT RowBounds(int row) const;
  // A user's double-click at a point of the list's client area, as queued mouse input: the
  // list itself finds the row and tells the page.
  void PostDoubleClick(POINT at) const;

 private:
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

  HWND m_list;
  HANDLE m_process = nullptr;
  char* m_remote = nullptr;  // an address in the list's process
};

}  // namespace tarnel::test
