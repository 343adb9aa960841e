#include "SimAdapter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "SimDefaults.h"
#include "SimLog.h"

namespace tarnel::sim {
namespace {

constexpr char kFiller = '*';  // what the misbehaving texts are padded with instead of NUL
constexpr double kTwoPi = 6.283185307179586;

// "NV_SetRates(1,0,0,0,0)"
std::string CallText(NvCall call, std::initializer_list<int32_t> args = {}) {
  std::string text = NvCallName(call);
  text += '(';
  bool first = true;
  for (int32_t a : args) {
    if (!first) text += ',';
    text += std::to_string(a);
    first = false;
  }
  text += ')';
  return text;
}

// Printable characters as they are, anything else (and the backslash) as \xNN.
std::string Escaped(std::string_view text) {
  std::string out;
  char hex[8];
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '\\') {
      out += c;
    } else {
      std::snprintf(hex, sizeof(hex), "\\x%02x", u);
      out += hex;
    }
  }
  return out;
}

std::string HexBytes(const uint8_t* bytes, int32_t count) {
  std::string out;
  char hex[4];
  for (int32_t i = 0; i < count; ++i) {
    std::snprintf(hex, sizeof(hex), "%02x", bytes[i]);
    out += hex;
  }
  return out;
}

// A smooth swing of `amplitude` with the given period, so that neighbouring ticks differ little.
double Wave(uint32_t now, uint32_t periodMs, double amplitude, double phase) {
  return amplitude * std::sin(kTwoPi * static_cast<double>(now % periodMs) / periodMs + phase);
}

int32_t Percent(double value) {
  return static_cast<int32_t>(std::lround(std::clamp(value, 0.0, 100.0)));
}

// Writes text into a caller's buffer of `size` bytes: NUL-terminated and NUL-padded, or, when
// misbehaving, filled to the last byte with no terminator at all.
void WriteText(char* out, size_t size, const char* text, size_t textField, bool unterminated) {
  const size_t length = strnlen(text, textField);
  if (unterminated) {
    std::memset(out, kFiller, size);
    std::memcpy(out, text, std::min(length, size));
  } else {
    CopyText(out, size, std::string_view(text, length));
  }
}

bool SameSsid(const SiteSurveyEntry& network, std::string_view ssid) {
  return std::string_view(network.ssid, strnlen(network.ssid, sizeof(network.ssid))) == ssid;
}

}  // namespace

SimAdapter::SimAdapter(SimState& state, uint32_t now) : s_(state), now_(now) { Settle(); }

NvFlag SimAdapter::Initialize(int32_t reserved) {
  RecordCall(s_, NvCall::NV_Initialize, CallText(NvCall::NV_Initialize, {reserved}));
  return s_.initializeAnswer ? 1 : 0;
}

void SimAdapter::Stop() { RecordCall(s_, NvCall::NV_Stop, CallText(NvCall::NV_Stop)); }

NvFlag SimAdapter::IsUnplug() {
  RecordCall(s_, NvCall::NV_IsUnplug, CallText(NvCall::NV_IsUnplug));
  return s_.unplugged ? 1 : 0;
}

NvFlag SimAdapter::IsXPConfig() {
  RecordCall(s_, NvCall::NV_IsXPConfig, CallText(NvCall::NV_IsXPConfig));
  return s_.xpConfig ? 1 : 0;
}

NvFlag SimAdapter::GetIsRadioOff() {
  RecordCall(s_, NvCall::NV_GetIsRadioOff, CallText(NvCall::NV_GetIsRadioOff));
  return s_.radioOff ? 1 : 0;
}

void SimAdapter::SetRadioOff(NvFlag off) {
  RecordCall(s_, NvCall::NV_SetRadioOff, CallText(NvCall::NV_SetRadioOff, {off}));
  const bool wasOff = s_.radioOff != 0;
  s_.radioOff = off ? 1 : 0;
  if (off && !wasOff) {
    DropLink(NV_LINK_NOT_ASSOCIATED);
  } else if (!off && wasOff) {
    StartAssociation();
  }
}

void SimAdapter::GetStatusLinkInfo(int32_t* state, int32_t* networkType, char* ssid36,
                                   uint8_t* bssid8) {
  RecordCall(s_, NvCall::NV_GetStatusLinkInfo, CallText(NvCall::NV_GetStatusLinkInfo));
  if (state) *state = ReportedLinkState();
  if (networkType) *networkType = s_.networkType;
  if (ssid36) WriteText(ssid36, NV_SSID_BUFFER, s_.ssid, sizeof(s_.ssid), s_.ssidUnterminated != 0);
  if (bssid8) std::memcpy(bssid8, s_.bssid, 6);
}

void SimAdapter::GetStatusSignalInfo(int32_t* signal, int32_t* quality) {
  RecordCall(s_, NvCall::NV_GetStatusSignalInfo, CallText(NvCall::NV_GetStatusSignalInfo));
  int32_t sig = 0;
  int32_t qual = 0;
  Signal(&sig, &qual);
  if (signal) *signal = sig;
  if (quality) *quality = qual;
}

void SimAdapter::GetStatusChannelInfo(int32_t* plan, int32_t* channel) {
  RecordCall(s_, NvCall::NV_GetStatusChannelInfo, CallText(NvCall::NV_GetStatusChannelInfo));
  if (plan) *plan = s_.channelPlan;
  if (channel) *channel = s_.channel;
}

void SimAdapter::GetRates(int32_t* autoFlag, int32_t* rate1, int32_t* rate2, int32_t* rate55,
                          int32_t* rate11) {
  RecordCall(s_, NvCall::NV_GetRates, CallText(NvCall::NV_GetRates));
  int32_t* const out[4] = {rate1, rate2, rate55, rate11};
  if (autoFlag) *autoFlag = s_.ratesAuto ? 1 : 0;
  for (int i = 0; i < 4; ++i) {
    // Automatic rate selection may use every rate.
    if (out[i]) *out[i] = (s_.ratesAuto || s_.rates[i] != 0) ? 1 : 0;
  }
}

void SimAdapter::GetMacAddressString(char* text20) {
  RecordCall(s_, NvCall::NV_GetMacAddressString, CallText(NvCall::NV_GetMacAddressString));
  if (text20) {
    WriteText(text20, NV_MAC_TEXT_BUFFER, s_.macText, sizeof(s_.macText), s_.macUnterminated != 0);
  }
}

void SimAdapter::GetStatusDriverInfo(char* text260, int32_t* unused) {
  RecordCall(s_, NvCall::NV_GetStatusDriverInfo, CallText(NvCall::NV_GetStatusDriverInfo));
  if (text260) {
    WriteText(text260, NV_DRIVER_INFO_BUFFER, s_.driverText, sizeof(s_.driverText),
              s_.driverTextUnterminated != 0);
  }
  if (unused) *unused = static_cast<int32_t>(strnlen(s_.driverText, sizeof(s_.driverText)));
}

void SimAdapter::SetNetworkType(int32_t type) {
  RecordCall(s_, NvCall::NV_SetNetworkType, CallText(NvCall::NV_SetNetworkType, {type}));
  s_.setNetworkType = type;
}

void SimAdapter::SetSSID(const char* ssid) {
  // The log shows up to twice the allowed length, so that an over-long name is visible.
  const size_t shown = ssid ? strnlen(ssid, 2 * kSsidMax + 1) : 0;
  std::string text = std::string(NvCallName(NvCall::NV_SetSSID)) + '(';
  text += ssid ? Escaped(std::string_view(ssid, std::min<size_t>(shown, 2 * kSsidMax))) : "null";
  if (shown > 2 * kSsidMax) text += "...";
  RecordCall(s_, NvCall::NV_SetSSID, text + ')');
  if (ssid) CopyText(s_.setSsid, sizeof(s_.setSsid), std::string_view(ssid, std::min<size_t>(shown, kSsidMax)));
}

void SimAdapter::SetChannel(int32_t channel) {
  RecordCall(s_, NvCall::NV_SetChannel, CallText(NvCall::NV_SetChannel, {channel}));
  s_.setChannel = channel;
}

void SimAdapter::SetPowerSaveMode(int32_t mode) {
  RecordCall(s_, NvCall::NV_SetPowerSaveMode, CallText(NvCall::NV_SetPowerSaveMode, {mode}));
  s_.powerSaveMode = mode;
}

void SimAdapter::SetRates(NvFlag autoFlag, int32_t rate1, int32_t rate2, int32_t rate55,
                          int32_t rate11) {
  RecordCall(s_, NvCall::NV_SetRates,
             CallText(NvCall::NV_SetRates, {autoFlag, rate1, rate2, rate55, rate11}));
  s_.ratesAuto = autoFlag ? 1 : 0;
  const int32_t rates[4] = {rate1, rate2, rate55, rate11};
  std::copy(rates, rates + 4, s_.rates);
}

void SimAdapter::Rescan() {
  RecordCall(s_, NvCall::NV_Rescan, CallText(NvCall::NV_Rescan));
  StartAssociation();
}

int32_t SimAdapter::SiteSurvey(uint8_t* buffer13000) {
  RecordCall(s_, NvCall::NV_SiteSurvey, CallText(NvCall::NV_SiteSurvey));
  const int32_t count = std::clamp(s_.networkCount, 0, kMaxNetworks);
  if (buffer13000) {
    for (int32_t i = 0; i < count; ++i) {
      SiteSurveyEntry record = s_.networks[i];
      if (s_.surveySsidsFull) {
        const size_t length = strnlen(record.ssid, sizeof(record.ssid));
        std::memset(record.ssid + length, kFiller, sizeof(record.ssid) - length);
      }
      std::memcpy(buffer13000 + i * NV_SURVEY_ENTRY_SIZE, &record, sizeof(record));
    }
  }
  return s_.surveyCountForced ? s_.surveyCount : (buffer13000 ? count : 0);
}

void SimAdapter::SetPrivacy(int32_t mode, int32_t keyBits) {
  RecordCall(s_, NvCall::NV_SetPrivacy, CallText(NvCall::NV_SetPrivacy, {mode, keyBits}));
  s_.privacyMode = mode;
  s_.privacyKeyBits = keyBits;
}

void SimAdapter::SetAuthenticaionMode(int32_t mode) {
  RecordCall(s_, NvCall::NV_SetAuthenticaionMode, CallText(NvCall::NV_SetAuthenticaionMode, {mode}));
  s_.authenticationMode = mode;
}

void SimAdapter::SetDefaultKeyID(int32_t key) {
  RecordCall(s_, NvCall::NV_SetDefaultKeyID, CallText(NvCall::NV_SetDefaultKeyID, {key}));
  s_.defaultKeyId = key;
}

void SimAdapter::SetWEPKey(int32_t key, int32_t length, const uint8_t* bytes) {
  // A length beyond any WEP key is not trusted further than the key store holds.
  const int32_t taken = std::clamp(length, 0, kWepKeyMaxBytes);
  std::string text = CallText(NvCall::NV_SetWEPKey, {key, length});
  text.pop_back();
  text += ',';
  text += bytes ? HexBytes(bytes, taken) : "null";
  RecordCall(s_, NvCall::NV_SetWEPKey, text + ')');
  if (key < 0 || key > 3) return;
  s_.wepKeySet[key] = bytes ? 1 : 0;
  s_.wepKeyLength[key] = length;
  std::memset(s_.wepKeys[key], 0, sizeof(s_.wepKeys[key]));
  if (bytes) std::memcpy(s_.wepKeys[key], bytes, taken);
}

void SimAdapter::StartAssociation() {
  if (s_.radioOff) return;
  DropLink(NV_LINK_SCANNING);
  s_.associationPending = 1;
  s_.associateAtTick = now_ + s_.associationDelayMs;
  Settle();
}

bool SimAdapter::AddNetwork(const SiteSurveyEntry& network) {
  if (!tarnel::sim::AddNetwork(s_, network)) return false;
  // A driver still looking for this network associates the association delay after it appears.
  const bool due = static_cast<int32_t>(now_ - s_.associateAtTick) >= 0;
  if (s_.associationPending && due && SameSsid(network, WantedSsid())) {
    s_.associateAtTick = now_ + s_.associationDelayMs;
    Settle();
  }
  return true;
}

int32_t SimAdapter::RemoveNetwork(std::string_view ssid) {
  const bool linkGoes =
      Linked() && std::string_view(s_.ssid, strnlen(s_.ssid, sizeof(s_.ssid))) == ssid;
  const int32_t count = std::clamp(s_.networkCount, 0, kMaxNetworks);
  int32_t kept = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (!SameSsid(s_.networks[i], ssid)) s_.networks[kept++] = s_.networks[i];
  }
  s_.networkCount = kept;
  if (linkGoes) {
    DropLink(NV_LINK_SCANNING);
    s_.associationPending = 1;
    s_.associateAtTick = now_ + s_.associationDelayMs;
  }
  return count - kept;
}

int32_t SimAdapter::ReportedLinkState() const {
  return s_.radioOff ? static_cast<int32_t>(NV_LINK_NOT_ASSOCIATED) : s_.linkState;
}

void SimAdapter::Signal(int32_t* signal, int32_t* quality) const {
  if (s_.signalFrozen) {
    *signal = s_.frozenSignal;
    *quality = s_.frozenQuality;
    return;
  }
  const int32_t state = ReportedLinkState();
  if (s_.unplugged || (state != NV_LINK_ASSOCIATED && state != NV_LINK_AD_HOC)) {
    *signal = 0;
    *quality = 0;
    return;
  }
  // A slow swing and a faster ripple each; at most a few percent between 300 ms ticks.
  // Periods are powers of two so the tick count's wrap causes no jump.
  const double base = s_.linkSignal;
  *signal = Percent(base + Wave(now_, 16384, 9.0, 0.0) + Wave(now_, 4096, 3.0, 0.7));
  *quality = Percent(base - 6.0 + Wave(now_, 8192, 7.0, 1.9) + Wave(now_, 2048, 2.0, 0.3));
}

void SimAdapter::Settle() {
  if (!s_.associationPending || s_.radioOff) return;
  if (static_cast<int32_t>(now_ - s_.associateAtTick) < 0) return;
  if (const SiteSurveyEntry* network = FindNetwork(WantedSsid())) {
    Associate(*network);
    s_.associationPending = 0;
  } else {
    // Nothing of that name in range: keep scanning; it joins once the network appears.
    s_.linkState = NV_LINK_SCANNING;
  }
}

const SiteSurveyEntry* SimAdapter::FindNetwork(std::string_view ssid) const {
  if (ssid.empty()) return nullptr;
  const int32_t count = std::clamp(s_.networkCount, 0, kMaxNetworks);
  const bool wantAdHoc = s_.setNetworkType == 0;
  const SiteSurveyEntry* anyType = nullptr;
  for (int32_t i = 0; i < count; ++i) {
    const SiteSurveyEntry& n = s_.networks[i];
    if (!SameSsid(n, ssid)) continue;
    if ((n.networkType == 0) == wantAdHoc) return &n;
    if (!anyType) anyType = &n;
  }
  return anyType;
}

void SimAdapter::Associate(const SiteSurveyEntry& network) {
  const bool adHoc = network.networkType == 0;
  s_.linkState = adHoc ? NV_LINK_AD_HOC : NV_LINK_ASSOCIATED;
  s_.networkType = adHoc ? 0 : 1;
  CopyText(s_.ssid, sizeof(s_.ssid),
           std::string_view(network.ssid, strnlen(network.ssid, sizeof(network.ssid))));
  std::memset(s_.bssid, 0, sizeof(s_.bssid));
  std::memcpy(s_.bssid, network.bssid, sizeof(network.bssid));
  s_.channel = network.channel;
  s_.linkSignal = network.signal;
}

void SimAdapter::DropLink(int32_t newState) {
  s_.linkState = newState;
  s_.associationPending = 0;
  std::memset(s_.ssid, 0, sizeof(s_.ssid));
  std::memset(s_.bssid, 0, sizeof(s_.bssid));
  s_.linkSignal = 0;
}

bool SimAdapter::Linked() const {
  return !s_.radioOff && (s_.linkState == NV_LINK_ASSOCIATED || s_.linkState == NV_LINK_AD_HOC);
}

std::string_view SimAdapter::WantedSsid() const {
  return std::string_view(s_.setSsid, strnlen(s_.setSsid, kSsidMax));
}

}  // namespace tarnel::sim
