// The named section that holds SimState. The first process to open it creates and initialises
// it; it lives as long as any process keeps it open.
#pragma once

#include "SimState.h"

namespace tarnel::sim {

class SimSection {
 public:
  SimSection() = default;
  ~SimSection();
  SimSection(const SimSection&) = delete;
  SimSection& operator=(const SimSection&) = delete;

  // Opens the section, creating it with defaults when no process holds it. False when it
  // cannot be mapped or holds a state of another layout.
  bool Open();
  void Close();

  SimState* State() const { return view_; }
  // True when this object created the section (so the state is fresh defaults).
  bool Created() const { return created_; }

 private:
  void Publish();
  bool WaitForCreator();

  void* mapping_ = nullptr;
  SimState* view_ = nullptr;
  bool created_ = false;
};

}  // namespace tarnel::sim
