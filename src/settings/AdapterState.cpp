#include "settings/AdapterState.h"

#include <windows.h>
#include <iphlpapi.h>

#include <utility>
#include <vector>

#include "adapter/NvLibrary.h"
#include "adapter/portable/MacAddress.h"
#include "settings/portable/LinkTexts.h"

namespace tarnel::settings {
namespace {

// The link part both readings share: state, type, name and peer.
struct LinkInfo {
  int32_t state = 3;
  int32_t networkType = 0;
  bool linked = false;
  std::string ssid;
  std::string bssid;
};

LinkInfo ReadLinkInfo() {
  LinkInfo info;
  char ssid[NV_SSID_BUFFER] = {};
  uint8_t bssid[NV_BSSID_BUFFER] = {};
  Nv().NV_GetStatusLinkInfo(&info.state, &info.networkType, ssid, bssid);
  info.linked = !IsNoLinkState(info.state);
  if (!info.linked) return info;
  info.ssid = BufferText(ssid, sizeof(ssid));
  info.bssid = FormatMacAddress(bssid);
  return info;
}

void ReadLink(AdapterState* state) {
  LinkInfo info = ReadLinkInfo();
  state->linkState = info.state;
  state->networkType = info.networkType;
  state->linked = info.linked;
  if (!state->linked) return;
  state->ssid = std::move(info.ssid);
  state->bssid = std::move(info.bssid);

  int32_t autoRate = 0, rate1 = 0, rate2 = 0, rate55 = 0, rate11 = 0;
  Nv().NV_GetRates(&autoRate, &rate1, &rate2, &rate55, &rate11);
  if (const char* text = HighestRateText(rate1, rate2, rate55, rate11)) state->rate = text;
  int32_t plan = -1;
  Nv().NV_GetStatusChannelInfo(&plan, &state->channel);
  Nv().NV_GetStatusSignalInfo(&state->signal, &state->quality);
}

std::string MacText() {
  char text[NV_MAC_TEXT_BUFFER] = {};
  Nv().NV_GetMacAddressString(text);
  return BufferText(text, sizeof(text));
}

}  // namespace

std::string DriverVersionText() {
  char text[NV_DRIVER_INFO_BUFFER] = {};
  int32_t unused = 0;
  Nv().NV_GetStatusDriverInfo(text, &unused);
  return BufferText(text, sizeof(text));
}

AdapterState ReadAdapterState() {
  AdapterState state;
  ReadLink(&state);
  state.mac = MacText();
  state.ip = IpAddressOf(state.mac);
  state.radioOff = Nv().NV_GetIsRadioOff() != 0;
  state.systemManaged = IsSystemManaged();
  state.driverVersion = DriverVersionText();
  return state;
}

LinkReading ReadLinkReading(uint32_t atMs) {
  LinkReading reading;
  reading.atMs = atMs;
  reading.radioOff = Nv().NV_GetIsRadioOff() != 0;
  if (Nv().NV_IsUnplug()) {
    reading.adapterPresent = false;
    return reading;
  }
  LinkInfo info = ReadLinkInfo();
  reading.linkState = info.state;
  if (!info.linked) return reading;
  reading.linked = true;
  reading.infrastructure = info.networkType != 0;
  reading.ssid = std::move(info.ssid);
  reading.bssid = std::move(info.bssid);
  int32_t plan = -1;
  Nv().NV_GetStatusChannelInfo(&plan, &reading.channel);
  Nv().NV_GetStatusSignalInfo(&reading.signal, &reading.quality);
  return reading;
}

bool IsSystemManaged() { return Nv().NV_IsXPConfig() != 0; }

std::string IpAddressOf(const std::string& mac) {
  ULONG size = 0;
  const DWORD asked = ::GetAdaptersInfo(nullptr, &size);
  if ((asked != ERROR_SUCCESS && asked != ERROR_BUFFER_OVERFLOW) || size == 0) return std::string();
  // IP_ADAPTER_INFO holds pointers: the buffer keeps their alignment.
  std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
  size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
  if (::GetAdaptersInfo(buffer.data(), &size) != ERROR_SUCCESS) return std::string();
  for (const IP_ADAPTER_INFO* adapter = buffer.data(); adapter; adapter = adapter->Next) {
    if (FormatMacAddress(adapter->Address) != mac) continue;
    const IP_ADDRESS_STRING& address = adapter->IpAddressList.IpAddress;
    return BufferText(address.String, sizeof(address.String));
  }
  return std::string();
}

void SwitchRadio(bool on) { Nv().NV_SetRadioOff(on ? 0 : 1); }

}  // namespace tarnel::settings
