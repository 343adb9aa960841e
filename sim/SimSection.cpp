#include "SimSection.h"

#include <windows.h>

#include "SimDefaults.h"

namespace tarnel::sim {
namespace {

constexpr DWORD kCreatorWaitMs = 2000;

uint32_t MagicOf(const SimState* state) {
  return *static_cast<const volatile uint32_t*>(&state->magic);
}

}  // namespace

SimSection::~SimSection() { Close(); }

bool SimSection::Open() {
  if (view_) return true;
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(SimState), kSectionName);
  if (!mapping) return false;
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SimState));
  if (!view) {
    CloseHandle(mapping);
    return false;
  }
  mapping_ = mapping;
  view_ = static_cast<SimState*>(view);
  created_ = !existed;
  if (created_) {
    Publish();
    return true;
  }
  if (WaitForCreator()) return true;
  Close();
  return false;
}

void SimSection::Close() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  view_ = nullptr;
  mapping_ = nullptr;
  created_ = false;
}

// Fills the fresh (zeroed) section; the magic goes in last, so an opener that sees it sees the rest.
void SimSection::Publish() {
  InitializeState(*view_);
  MemoryBarrier();
  InterlockedExchange(reinterpret_cast<volatile LONG*>(&view_->magic),
                      static_cast<LONG>(kStateMagic));
}

// Another process created the section and may still be filling it.
bool SimSection::WaitForCreator() {
  const DWORD start = GetTickCount();
  while (MagicOf(view_) == 0 && GetTickCount() - start < kCreatorWaitMs) Sleep(1);
  if (MagicOf(view_) == 0) {
    // The creator died before it published: take its place.
    Publish();
    return true;
  }
  return view_->magic == kStateMagic && view_->version == kStateVersion &&
         view_->size == sizeof(SimState);
}

}  // namespace tarnel::sim
