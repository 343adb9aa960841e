// Base of objects that take part in the framework's run-time class registry.
#pragma once

namespace tarnel {

class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  // Run-time class name, as the class was declared.
  virtual const char* GetRuntimeClassName() const { return "CCmdTarget"; }
};

}  // namespace tarnel
