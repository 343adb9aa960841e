// A scripted driver-control library for in-process tests. While it lives, the utility's
// NV_ calls reach it: each answers from the public script fields below (change them between
// calls, or from onCall in the middle of a sequence) and is logged as text with its
// arguments, for example "NV_SetChannel(6)", "NV_SetWEPKey(0,5,0a1b2c3d4e)",
// "NV_SetWEPKey(1,5,null)", "NV_SetRates(0,2,2,0,0)", "NV_Initialize(0)".
// Only one exists at a time; its destructor puts the safe no-op table back.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adapter/NvApi.h"

namespace tarnel::test {

class FakeDriver {
 public:
  FakeDriver();
  ~FakeDriver();
  FakeDriver(const FakeDriver&) = delete;
  FakeDriver& operator=(const FakeDriver&) = delete;

  // Answers.
  NvFlag initializeAnswer = 1;
  NvFlag unplugged = 0;
  NvFlag xpConfig = 0;
  NvFlag radioOff = 0;
  int32_t linkState = NV_LINK_NOT_ASSOCIATED;
  int32_t networkType = 1;
  std::array<char, NV_SSID_BUFFER> ssid{};  // copied whole: may lack a terminator
  std::array<uint8_t, 6> bssid{};
  int32_t signal = 0;
  int32_t quality = 0;
  int32_t channelPlan = 0;
  int32_t channel = 1;
  std::array<int32_t, 5> rates{};  // auto flag, then 1, 2, 5.5 and 11 Mbps
  std::array<char, NV_MAC_TEXT_BUFFER> macText{};
  std::array<char, NV_DRIVER_INFO_BUFFER> driverInfo{};
  std::vector<SiteSurveyEntry> survey;  // at most 260 are written
  int32_t surveyCount = -1;             // the count answered; -1: survey.size()

  // Text setters: the bytes of text, zero-padded, cut at the field's size (no terminator then).
  void SetSsid(const std::string& text);
  void SetMacText(const std::string& text);
  void SetDriverInfo(const std::string& text);

  // Runs after a call is logged and before it answers.
  std::function<void(const std::string& call)> onCall;

  // The log.
  const std::vector<std::string>& Calls() const { return calls_; }
  // Without the status reads (NV_Get..., NV_Is...) that pollers repeat.
  std::vector<std::string> NonPollingCalls() const;
  void ClearCalls() { calls_.clear(); }

  // Trampolines reach the fake through this; null when none is installed.
  static FakeDriver* Current() { return current_; }
  void Record(std::string call);

 private:
  std::vector<std::string> calls_;
  static FakeDriver* current_;
};

}  // namespace tarnel::test
