#include "SimClient.h"

#include <windows.h>

#include <cstring>

#include "SimAdapter.h"
#include "SimDefaults.h"

namespace tarnel::sim {

bool SimClient::Open() { return section_.Open(); }

SimState SimClient::Snapshot() {
  SimState copy{};
  Update([&](SimState& s) { copy = s; });
  return copy;
}

void SimClient::ResetToDefaults() {
  Update([](SimState& s) { ResetState(s); });
}

void SimClient::SetInitializeAnswer(bool usable) {
  Update([&](SimState& s) { s.initializeAnswer = usable ? 1 : 0; });
}

void SimClient::SetUnplugged(bool unplugged) {
  Update([&](SimState& s) { s.unplugged = unplugged ? 1 : 0; });
}

void SimClient::SetXpConfig(bool xpConfig) {
  Update([&](SimState& s) { s.xpConfig = xpConfig ? 1 : 0; });
}

void SimClient::SetRadioOff(bool off) {
  Update([&](SimState& s) {
    const bool wasOff = s.radioOff != 0;
    s.radioOff = off ? 1 : 0;
    if (wasOff && !off) SimAdapter(s, GetTickCount()).StartAssociation();
  });
}

void SimClient::SetLinkState(int32_t state) {
  Update([&](SimState& s) {
    s.linkState = state;
    s.associationPending = 0;
  });
}

void SimClient::SetLinkSsid(const std::string& ssid) {
  Update([&](SimState& s) { CopyText(s.ssid, kSsidMax + 1, ssid); });
}

void SimClient::SetLinkBssid(const uint8_t bssid[6]) {
  Update([&](SimState& s) { std::memcpy(s.bssid, bssid, 6); });
}

void SimClient::SetLinkNetworkType(int32_t type) {
  Update([&](SimState& s) { s.networkType = type; });
}

void SimClient::Join(const std::string& ssid) {
  Update([&](SimState& s) {
    CopyText(s.setSsid, kSsidMax + 1, ssid);
    SimAdapter(s, GetTickCount()).StartAssociation();
  });
}

void SimClient::SetSignal(int32_t signal, int32_t quality) {
  Update([&](SimState& s) {
    s.signalFrozen = 1;
    s.frozenSignal = signal;
    s.frozenQuality = quality;
  });
}

void SimClient::UnfreezeSignal() {
  Update([](SimState& s) { s.signalFrozen = 0; });
}

void SimClient::SetChannelPlan(int32_t plan) {
  Update([&](SimState& s) { s.channelPlan = plan; });
}

void SimClient::SetChannel(int32_t channel) {
  Update([&](SimState& s) { s.channel = channel; });
}

void SimClient::SetMacText(const std::string& text) {
  Update([&](SimState& s) { CopyText(s.macText, sizeof(s.macText), text); });
}

void SimClient::SetDriverText(const std::string& text) {
  Update([&](SimState& s) { CopyText(s.driverText, sizeof(s.driverText), text); });
}

void SimClient::SetAssociationDelay(uint32_t ms) {
  Update([&](SimState& s) { s.associationDelayMs = ms; });
}

void SimClient::SetScanDelay(uint32_t ms) {
  Update([&](SimState& s) { s.scanDelayMs = ms; });
}

bool SimClient::AddNetwork(const SiteSurveyEntry& network) {
  bool added = false;
  Update([&](SimState& s) { added = SimAdapter(s, GetTickCount()).AddNetwork(network); });
  return added;
}

int32_t SimClient::RemoveNetwork(const std::string& ssid) {
  int32_t removed = 0;
  Update([&](SimState& s) { removed = SimAdapter(s, GetTickCount()).RemoveNetwork(ssid); });
  return removed;
}

void SimClient::ClearNetworks() {
  Update([](SimState& s) { s.networkCount = 0; });
}

int32_t SimClient::NetworkCount() {
  int32_t count = 0;
  Update([&](SimState& s) { count = s.networkCount; });
  return count;
}

void SimClient::SetSsidUnterminated(bool on) {
  Update([&](SimState& s) { s.ssidUnterminated = on ? 1 : 0; });
}

void SimClient::SetMacUnterminated(bool on) {
  Update([&](SimState& s) { s.macUnterminated = on ? 1 : 0; });
}

void SimClient::SetDriverTextUnterminated(bool on) {
  Update([&](SimState& s) { s.driverTextUnterminated = on ? 1 : 0; });
}

void SimClient::SetSurveySsidsFull(bool on) {
  Update([&](SimState& s) { s.surveySsidsFull = on ? 1 : 0; });
}

void SimClient::ForceSurveyCount(int32_t count) {
  Update([&](SimState& s) {
    s.surveyCountForced = 1;
    s.surveyCount = count;
  });
}

void SimClient::UnforceSurveyCount() {
  Update([](SimState& s) { s.surveyCountForced = 0; });
}

void SimClient::SetDevNodeProblem(int32_t problem) {
  Update([&](SimState& s) { s.devNodeProblem = problem; });
}

void SimClient::SetDevNodeStatusFails(bool fails) {
  Update([&](SimState& s) { s.devNodeStatusFails = fails ? 1 : 0; });
}

uint32_t SimClient::DevNodeCalls() {
  uint32_t calls = 0;
  Update([&](SimState& s) { calls = s.devNodeCalls; });
  return calls;
}

std::vector<std::string> SimClient::ReadLog() {
  std::vector<std::string> texts;
  for (SimLogLine& line : ReadLogLines()) texts.push_back(std::move(line.text));
  return texts;
}

std::vector<SimLogLine> SimClient::ReadLogLines() {
  std::vector<SimLogLine> lines;
  Update([&](SimState& s) { lines = tarnel::sim::ReadLog(s); });
  return lines;
}

void SimClient::ClearLog() {
  Update([](SimState& s) { tarnel::sim::ClearLog(s); });
}

void SimClient::SetLogPolling(bool on) {
  Update([&](SimState& s) { s.logPolling = on ? 1 : 0; });
}

uint32_t SimClient::CallCount(NvCall call) {
  const int i = static_cast<int>(call);
  uint32_t count = 0;
  if (i >= 0 && i < kNvCallCount) Update([&](SimState& s) { count = s.calls[i]; });
  return count;
}

void SimClient::ResetCounters() {
  Update([](SimState& s) {
    std::memset(s.calls, 0, sizeof(s.calls));
    s.devNodeCalls = 0;
  });
}

}  // namespace tarnel::sim
