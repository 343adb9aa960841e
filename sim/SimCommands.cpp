#include "SimCommands.h"

#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "AdapterDevice.h"
#include "PlatformNotice.h"
#include "SimAdapter.h"
#include "SimDefaults.h"

namespace tarnel::sim {
namespace {

const char kUsage[] =
    "nvksim: controls the simulated adapter (NvkLib.dll) while the utility runs.\n"
    "usage: nvksim <command> [+ <command> ...]\n"
    "\n"
    "  help                          this text\n"
    "  show                          the whole state\n"
    "  reset                         every default back; log and counters emptied\n"
    "  hold                          keep the state alive until this process is ended\n"
    "  link <n>                      reported link state, any number: 0 Scanning, 1 Associated,\n"
    "                                2 Ad-Hoc, 3 Not Associated\n"
    "  ssid <text> | bssid <xx:xx:xx:xx:xx:xx> | nettype <0|1>   the link as reported\n"
    "  join <ssid>                   look for a network as after NV_SetSSID + NV_Rescan\n"
    "  signal <signal> <quality>     freeze the figures (percent)\n"
    "  signal moving                 let them move again\n"
    "  radio on|off | xpconfig on|off\n"
    "  init on|off                   what NV_Initialize answers\n"
    "  plan <0..6> | channel <n>\n"
    "  mac <text> | driver <text>\n"
    "  net list | net clear\n"
    "  net add <ssid> [adhoc|infra] [ch=<n>] [signal=<n>] [wep] [bssid=<xx:..>] [rates=82,84,0b,16]\n"
    "  net remove <ssid>             out of range; a link on it is lost (Scanning, figures 0)\n"
    "                                and comes back by itself once the network is added again\n"
    "  delay assoc <ms> | delay scan <ms>\n"
    "  bad ssid|mac|driver|survey-ssid on|off   texts without terminator, 32-byte survey names\n"
    "  bad survey-count <n>|off      NV_SiteSurvey returns <n> whatever it wrote\n"
    "  devnode problem <n>|platform  what My_CM_Get_DevNode_Status answers\n"
    "  devnode fails on|off\n"
    "  log | log clear | log polling on|off\n"
    "  counters                      calls of each NV_ function\n"
    "\n"
    "The platform's notices, which the utility acts on; each goes to every top-level window:\n"
    "  unplug on|off                 the driver reports the card gone or back, then a device-change\n"
    "                                notice. On: the utility hides its window and stops the library\n"
    "                                (its link page may see the card gone first). Off: it starts\n"
    "                                the library again and shows its window\n"
    "  adapter remove                the card taken out: reported gone, its network device removed,\n"
    "                                then a device-change notice. To the utility an unplug\n"
    "  adapter add [<driver key>]    the card put in: its network device registered (driver key\n"
    "                                default {4D36E972-E325-11CE-BFC1-08002BE10318}\\0001, Net\\0001\n"
    "                                on the 9x family), reported back, then a device-change notice.\n"
    "                                To the utility a replug\n"
    "  notice                        a device-change notice alone: with the card in and well, the\n"
    "                                utility only initialises the library again\n"
    "  notice arrival|query-remove|remove-complete [node=<hex>]\n"
    "                                a 9x notice about a device node (default the adapter's,\n"
    "                                C1A7D340); the utility acts only on its adapter's node\n"
    "  power suspend                 the suspend notice: the utility hides its window and stops\n"
    "                                the library\n"
    "  power resume                  the notices of a resume the user caused (automatic, then from\n"
    "                                suspend): the utility starts the library, shows its window\n"
    "A device-change notice is WM_DEVICECHANGE with DBT_DEVNODES_CHANGED, a power notice\n"
    "WM_POWERBROADCAST. Where the prefix reports the 9x family, the adapter also has its driver key\n"
    "under System\\CurrentControlSet\\Services\\Class and a device node under HKEY_DYN_DATA, and an\n"
    "unplug or a removal sends the node's query-remove and remove-complete notices, a replug or an\n"
    "addition its arrival notice, instead. The tool waits up to 3 s in all for the windows to\n"
    "handle one (the utility takes about 1 s over a device change), but not for a window that took\n"
    "no message for 5 s.\n"
    "\n"
    "Roaming, with the utility running and two profiles set to connect automatically:\n"
    "  nvksim net add Home ch=6 signal=70\n"
    "  nvkctl profile set Home --ssid Home --auto on\n"
    "  nvkctl profile set Office --ssid Office --auto on\n"
    "  nvkctl profile use Home       Home in range and associated\n"
    "  nvksim net remove Home + net add Office ch=11 signal=60\n"
    "                                the link is lost; within about 8 s the utility surveys and\n"
    "                                switches to Office by itself\n"
    "  nvksim log                    ... NV_SiteSurvey() ... NV_SetSSID(Office) ... NV_Rescan()\n";

class Args {
 public:
  Args(const std::vector<std::string>& words, std::ostream& err) : words_(words), err_(err) {}

  size_t Count() const { return words_.size(); }
  const std::string& Word(size_t i) const {
    static const std::string kNone;
    return i < words_.size() ? words_[i] : kNone;
  }
  // The words from i on, joined by single spaces (names may contain spaces).
  std::string Rest(size_t i) const {
    std::string text;
    for (size_t k = i; k < words_.size(); ++k) text += (k > i ? " " : "") + words_[k];
    return text;
  }
  bool Int(size_t i, int32_t* value) const { return ParseInt(Word(i), 10, value) || Fail(i); }
  bool Flag(size_t i, bool* value) const {
    const std::string& w = Word(i);
    if (w == "on" || w == "1" || w == "yes") return *value = true, true;
    if (w == "off" || w == "0" || w == "no") return *value = false, true;
    return Fail(i);
  }
  bool Fail(size_t i) const {
    err_ << "nvksim: " << Word(0) << ": unexpected '" << Word(i) << "'\n";
    return false;
  }
  bool Refuse(const std::string& why) const {
    err_ << "nvksim: " << Word(0) << ": " << why << "\n";
    return false;
  }
  bool Missing() const {
    err_ << "nvksim: " << Word(0) << ": missing argument (see nvksim help)\n";
    return false;
  }

  static bool ParseInt(const std::string& text, int base, int32_t* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, base);
    if (errno || *end || v < INT32_MIN || v > INT32_MAX) return false;
    *value = static_cast<int32_t>(v);
    return true;
  }

 private:
  const std::vector<std::string>& words_;
  std::ostream& err_;
};

bool ParseBssid(const std::string& text, uint8_t bssid[6]) {
  unsigned b[6];
  char tail;
  if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &b[0], &b[1], &b[2], &b[3], &b[4],
                  &b[5], &tail) != 6) {
    return false;
  }
  for (int i = 0; i < 6; ++i) bssid[i] = static_cast<uint8_t>(b[i]);
  return true;
}

bool ParseRates(const std::string& text, uint8_t rates[8]) {
  std::memset(rates, 0, 8);
  std::stringstream list(text);
  std::string item;
  int n = 0;
  while (std::getline(list, item, ',')) {
    int32_t v = 0;
    if (n == 8 || !Args::ParseInt(item, 16, &v) || v < 0 || v > 255) return false;
    rates[n++] = static_cast<uint8_t>(v);
  }
  return n > 0;
}

std::string Mac(const uint8_t* b) {
  char text[20];
  std::snprintf(text, sizeof(text), "%.2X:%.2X:%.2X:%.2X:%.2X:%.2X", b[0], b[1], b[2], b[3], b[4],
                b[5]);
  return text;
}

std::string FieldText(const char* field, size_t size) {
  return std::string(field, strnlen(field, size));
}

const char* LinkStateName(int32_t state) {
  static const char* const kNames[] = {"Scanning", "Associated", "Ad-Hoc", "Not Associated"};
  return state >= 0 && state <= 3 ? kNames[state] : "(outside 0..3)";
}

std::string WepKeyText(const SimState& s, int k) {
  if (!s.wepKeySet[k]) {
    return s.wepKeyLength[k] ? "no bytes, length " + std::to_string(s.wepKeyLength[k]) : "none";
  }
  const int n = std::clamp<int32_t>(s.wepKeyLength[k], 0, kWepKeyMaxBytes);
  std::string text;
  char hex[4];
  for (int i = 0; i < n; ++i) {
    std::snprintf(hex, sizeof(hex), "%02x", s.wepKeys[k][i]);
    text += hex;
  }
  return text;
}

const char* OnOff(int32_t v) { return v ? "on" : "off"; }

std::string NetworkLine(int index, const SiteSurveyEntry& n) {
  char head[96];
  std::snprintf(head, sizeof(head), "  %3d %-5s ch %2u sig %3u wep %-3s %s rates", index,
                n.networkType ? "infra" : "adhoc", n.channel, n.signal, OnOff(n.wep),
                Mac(n.bssid).c_str());
  std::string line = head;
  char hex[4];
  for (uint8_t r : n.rates) {
    if (!r) break;
    std::snprintf(hex, sizeof(hex), " %02x", r);
    line += hex;
  }
  return line + "  \"" + FieldText(n.ssid, sizeof(n.ssid)) + "\"\n";
}

// --- command handlers: true on success, false after a message on err ---

using Handler = bool (*)(SimClient&, const Args&, std::ostream&);

bool CmdShow(SimClient& c, const Args&, std::ostream& out) {
  out << FormatState(c.Snapshot(), GetTickCount());
  return true;
}

bool CmdReset(SimClient& c, const Args&, std::ostream&) {
  c.ResetToDefaults();
  return true;
}

bool CmdLink(SimClient& c, const Args& a, std::ostream&) {
  int32_t state = 0;
  if (!a.Int(1, &state)) return false;
  c.SetLinkState(state);
  return true;
}

bool CmdSsid(SimClient& c, const Args& a, std::ostream&) {
  c.SetLinkSsid(a.Rest(1));
  return true;
}

bool CmdBssid(SimClient& c, const Args& a, std::ostream&) {
  uint8_t bssid[6];
  if (!ParseBssid(a.Word(1), bssid)) return a.Fail(1);
  c.SetLinkBssid(bssid);
  return true;
}

bool CmdNetType(SimClient& c, const Args& a, std::ostream&) {
  int32_t type = 0;
  if (!a.Int(1, &type)) return false;
  c.SetLinkNetworkType(type);
  return true;
}

bool CmdJoin(SimClient& c, const Args& a, std::ostream&) {
  if (a.Count() < 2) return a.Missing();
  c.Join(a.Rest(1));
  return true;
}

bool CmdSignal(SimClient& c, const Args& a, std::ostream&) {
  if (a.Word(1) == "moving") {
    c.UnfreezeSignal();
    return true;
  }
  int32_t signal = 0;
  int32_t quality = 0;
  if (!a.Int(1, &signal) || !a.Int(2, &quality)) return false;
  c.SetSignal(signal, quality);
  return true;
}

template <void (SimClient::*Setter)(bool)>
bool CmdFlag(SimClient& c, const Args& a, std::ostream&) {
  bool on = false;
  if (!a.Flag(1, &on)) return false;
  (c.*Setter)(on);
  return true;
}

template <void (SimClient::*Setter)(int32_t)>
bool CmdNumber(SimClient& c, const Args& a, std::ostream&) {
  int32_t value = 0;
  if (!a.Int(1, &value)) return false;
  (c.*Setter)(value);
  return true;
}

bool CmdRadio(SimClient& c, const Args& a, std::ostream&) {
  bool on = false;
  if (!a.Flag(1, &on)) return false;
  c.SetRadioOff(!on);
  return true;
}

bool CmdMac(SimClient& c, const Args& a, std::ostream&) {
  c.SetMacText(a.Rest(1));
  return true;
}

bool CmdDriver(SimClient& c, const Args& a, std::ostream&) {
  c.SetDriverText(a.Rest(1));
  return true;
}

// net add <ssid> [adhoc|infra] [ch=N] [signal=N] [wep] [bssid=..] [rates=..]
bool NetAdd(SimClient& c, const Args& a, std::ostream&) {
  if (a.Count() < 3) return a.Missing();
  SiteSurveyEntry n = MakeNetwork(a.Word(2), 1, 6, 60, false);
  for (size_t i = 3; i < a.Count(); ++i) {
    const std::string& w = a.Word(i);
    const std::string value = w.substr(w.find('=') + 1);
    int32_t v = 0;
    if (w == "adhoc" || w == "infra") {
      n.networkType = w == "infra" ? 1 : 0;
    } else if (w == "wep") {
      n.wep = 1;
    } else if (w.rfind("ch=", 0) == 0 && Args::ParseInt(value, 10, &v) && v >= 0 && v < 256) {
      n.channel = static_cast<uint8_t>(v);
    } else if (w.rfind("signal=", 0) == 0 && Args::ParseInt(value, 10, &v) && v >= 0 && v < 256) {
      n.signal = static_cast<uint8_t>(v);
    } else if (!(w.rfind("bssid=", 0) == 0 && ParseBssid(value, n.bssid)) &&
               !(w.rfind("rates=", 0) == 0 && ParseRates(value, n.rates))) {
      return a.Fail(i);
    }
  }
  if (!c.AddNetwork(n)) {
    return a.Fail(2);
  }
  return true;
}

bool CmdNet(SimClient& c, const Args& a, std::ostream& out) {
  const std::string& sub = a.Word(1);
  if (sub == "add") return NetAdd(c, a, out);
  if (sub == "clear") {
    c.ClearNetworks();
    return true;
  }
  if (sub == "remove") {
    if (a.Count() < 3) return a.Missing();
    if (c.RemoveNetwork(a.Rest(2)) > 0) return true;
    return a.Refuse("no network \"" + a.Rest(2) + "\" in range");
  }
  if (sub != "list") return a.Fail(1);
  const SimState s = c.Snapshot();
  for (int i = 0; i < s.networkCount && i < kMaxNetworks; ++i) out << NetworkLine(i, s.networks[i]);
  return true;
}

bool CmdDelay(SimClient& c, const Args& a, std::ostream&) {
  int32_t ms = 0;
  if (!a.Int(2, &ms) || ms < 0) return a.Fail(2);
  if (a.Word(1) == "assoc") {
    c.SetAssociationDelay(static_cast<uint32_t>(ms));
  } else if (a.Word(1) == "scan") {
    c.SetScanDelay(static_cast<uint32_t>(ms));
  } else {
    return a.Fail(1);
  }
  return true;
}

bool CmdBad(SimClient& c, const Args& a, std::ostream&) {
  const std::string& what = a.Word(1);
  if (what == "survey-count") {
    int32_t count = 0;
    if (a.Word(2) == "off") {
      c.UnforceSurveyCount();
    } else if (Args::ParseInt(a.Word(2), 10, &count)) {
      c.ForceSurveyCount(count);
    } else {
      return a.Fail(2);
    }
    return true;
  }
  bool on = false;
  if (!a.Flag(2, &on)) return false;
  if (what == "ssid") {
    c.SetSsidUnterminated(on);
  } else if (what == "mac") {
    c.SetMacUnterminated(on);
  } else if (what == "driver") {
    c.SetDriverTextUnterminated(on);
  } else if (what == "survey-ssid") {
    c.SetSurveySsidsFull(on);
  } else {
    return a.Fail(1);
  }
  return true;
}

bool CmdDevNode(SimClient& c, const Args& a, std::ostream&) {
  if (a.Word(1) == "problem") {
    int32_t problem = -1;
    if (a.Word(2) != "platform" && (!a.Int(2, &problem) || problem < 0)) return a.Fail(2);
    c.SetDevNodeProblem(problem);
    return true;
  }
  bool fails = false;
  if (a.Word(1) != "fails") return a.Fail(1);
  if (!a.Flag(2, &fails)) return false;
  c.SetDevNodeStatusFails(fails);
  return true;
}

bool CmdLog(SimClient& c, const Args& a, std::ostream& out) {
  if (a.Count() == 1) {
    char seq[16];
    for (const SimLogLine& line : c.ReadLogLines()) {
      std::snprintf(seq, sizeof(seq), "%6u ", static_cast<unsigned>(line.seq));
      out << seq << line.text << '\n';
    }
    return true;
  }
  if (a.Word(1) == "clear") {
    c.ClearLog();
    return true;
  }
  bool on = false;
  if (a.Word(1) != "polling") return a.Fail(1);
  if (!a.Flag(2, &on)) return false;
  c.SetLogPolling(on);
  return true;
}

bool CmdCounters(SimClient& c, const Args&, std::ostream& out) {
  const SimState s = c.Snapshot();
  char line[64];
  for (int i = 0; i < kNvCallCount; ++i) {
    std::snprintf(line, sizeof(line), "%-26s %u\n", NvCallName(static_cast<NvCall>(i)),
                  static_cast<unsigned>(s.calls[i]));
    out << line;
  }
  out << "My_CM_Get_DevNode_Status   " << s.devNodeCalls << '\n';
  return true;
}

void PrintReach(std::ostream& out, const char* notice, const NoticeReach& reach) {
  out << notice << ": " << reach.answered << " top-level window(s) answered";
  if (reach.silent) out << ", " << reach.silent << " did not answer yet (hung or busy; they get it later)";
  out << "\n";
}

// What the platform sends once a device came or went.
bool DeviceChanged(std::ostream& out) {
  PrintReach(out, "device-change notice", SendDeviceChangeNotice());
  return true;
}

struct NodeEvent {
  const char* name;
  WPARAM event;
};
const NodeEvent kNodeEvents[] = {
    {"arrival", DBT_DEVICEARRIVAL},
    {"query-remove", DBT_DEVICEQUERYREMOVE},
    {"remove-complete", DBT_DEVICEREMOVECOMPLETE},
};

// A 9x notice about one device node. Sent and waited on, it is lost to a window that misses it.
bool NodeNotice(std::ostream& out, const NodeEvent& event, uint32_t node) {
  const NoticeReach reach = SendDevNodeNotice(event.event, node);
  char text[64];
  std::snprintf(text, sizeof(text), "%s notice for node %08lX", event.name, static_cast<unsigned long>(node));
  out << text << ": " << reach.answered << " top-level window(s) answered";
  if (reach.silent) out << ", " << reach.silent << " did not (hung or out of time)";
  out << "\n";
  return true;
}

// "node=" and eight hex digits at most.
bool ParseNode(const std::string& word, uint32_t* node) {
  const std::string digits = word.rfind("node=", 0) == 0 ? word.substr(5) : std::string();
  if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return false;
  *node = static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
  return true;
}

// notice [arrival|query-remove|remove-complete [node=<hex>]]
bool CmdNotice(SimClient&, const Args& a, std::ostream& out) {
  if (a.Count() == 1) return DeviceChanged(out);
  uint32_t node = kAdapterDevNode;
  if (a.Count() > 2 && !ParseNode(a.Word(2), &node)) return a.Fail(2);
  for (const NodeEvent& event : kNodeEvents)
    if (a.Word(1) == event.name) return NodeNotice(out, event, node);
  return a.Fail(1);
}

// The card going: on the 9x family the platform asks before the card stops and tells once it
// is gone; the NT family tells once, after.
bool CardGoes(SimClient& c, std::ostream& out, bool removeDevice) {
  const bool nine = Reports9xFamily();
  if (nine) NodeNotice(out, kNodeEvents[1], kAdapterDevNode);
  c.SetUnplugged(true);
  if (removeDevice) out << RemoveAdapterDevices(kAdapterDescription) << " adapter device(s) removed\n";
  return nine ? NodeNotice(out, kNodeEvents[2], kAdapterDevNode) : DeviceChanged(out);
}

bool CardComes(SimClient& c, std::ostream& out) {
  c.SetUnplugged(false);
  return Reports9xFamily() ? NodeNotice(out, kNodeEvents[0], kAdapterDevNode) : DeviceChanged(out);
}

bool CmdUnplug(SimClient& c, const Args& a, std::ostream& out) {
  bool on = false;
  if (!a.Flag(1, &on)) return false;
  return on ? CardGoes(c, out, false) : CardComes(c, out);
}

// A card taken out is reported gone by its driver before its device goes; one put in has its
// device before the driver reports it back.
bool CmdAdapter(SimClient& c, const Args& args, std::ostream& out) {
  if (args.Word(1) == "remove") return CardGoes(c, out, true);
  if (args.Word(1) != "add") return args.Fail(1);
  const std::string key = args.Count() > 2 ? args.Word(2) : DefaultDriverKey();
  RemoveAdapterDevices(kAdapterDescription);  // one adapter, whatever an earlier run left
  if (!RegisterAdapterDevice(kAdapterDescription, key, kAdapterHardwareId)) return args.Fail(2);
  out << "adapter registered, driver key " << key << "\n";
  return CardComes(c, out);
}

bool CmdPower(SimClient&, const Args& a, std::ostream& out) {
  if (a.Word(1) == "suspend") {
    PrintReach(out, "suspend notice", SendPowerNotice(PBT_APMSUSPEND));
    return true;
  }
  if (a.Word(1) != "resume") return a.Fail(1);
  // A resume the user caused: the platform sends the automatic one first.
  PrintReach(out, "automatic resume notice", SendPowerNotice(PBT_APMRESUMEAUTOMATIC));
  PrintReach(out, "resume notice", SendPowerNotice(PBT_APMRESUMESUSPEND));
  return true;
}

struct Command {
  const char* name;
  size_t minWords;  // including the name
  Handler handler;
};

const Command kCommands[] = {
    {"show", 1, CmdShow},
    {"reset", 1, CmdReset},
    {"link", 2, CmdLink},
    {"ssid", 1, CmdSsid},
    {"bssid", 2, CmdBssid},
    {"nettype", 2, CmdNetType},
    {"join", 2, CmdJoin},
    {"signal", 2, CmdSignal},
    {"radio", 2, CmdRadio},
    {"unplug", 2, CmdUnplug},
    {"xpconfig", 2, CmdFlag<&SimClient::SetXpConfig>},
    {"init", 2, CmdFlag<&SimClient::SetInitializeAnswer>},
    {"plan", 2, CmdNumber<&SimClient::SetChannelPlan>},
    {"channel", 2, CmdNumber<&SimClient::SetChannel>},
    {"mac", 1, CmdMac},
    {"driver", 1, CmdDriver},
    {"net", 2, CmdNet},
    {"delay", 3, CmdDelay},
    {"bad", 3, CmdBad},
    {"devnode", 3, CmdDevNode},
    {"log", 1, CmdLog},
    {"counters", 1, CmdCounters},
    {"adapter", 2, CmdAdapter},
    {"notice", 1, CmdNotice},
    {"power", 2, CmdPower},
};

}  // namespace

const char* SimUsage() { return kUsage; }

int RunSimCommand(SimClient& client, const std::vector<std::string>& words, std::ostream& out,
                  std::ostream& err) {
  const Args args(words, err);
  for (const Command& command : kCommands) {
    if (args.Word(0) != command.name) continue;
    if (words.size() < command.minWords) {
      args.Missing();
      return 2;
    }
    return command.handler(client, args, out) ? 0 : 2;
  }
  err << "nvksim: unknown command '" << args.Word(0) << "' (see nvksim help)\n";
  return 2;
}

std::string FormatState(const SimState& state, uint32_t now) {
  SimState s = state;  // the adapter settles a due association on its own copy
  SimAdapter adapter(s, now);
  int32_t signal = 0;
  int32_t quality = 0;
  adapter.Signal(&signal, &quality);
  const int32_t link = adapter.ReportedLinkState();
  std::ostringstream out;
  out << "link          " << link << " " << LinkStateName(link) << ", type " << s.networkType
      << ", ssid \"" << FieldText(s.ssid, sizeof(s.ssid)) << "\", bssid " << Mac(s.bssid) << "\n"
      << "signal        " << signal << ", quality " << quality
      << (s.signalFrozen ? " (frozen)" : " (moving)") << "\n"
      << "channel       " << s.channel << ", plan " << s.channelPlan << "\n"
      << "radio         " << (s.radioOff ? "off" : "on") << ", unplugged " << OnOff(s.unplugged)
      << ", xpconfig " << OnOff(s.xpConfig) << ", NV_Initialize answers " << s.initializeAnswer
      << "\n"
      << "mac           " << FieldText(s.macText, sizeof(s.macText)) << "\n"
      << "driver        " << FieldText(s.driverText, sizeof(s.driverText)) << "\n"
      << "settings      nettype " << s.setNetworkType << ", ssid \""
      << FieldText(s.setSsid, sizeof(s.setSsid)) << "\", channel " << s.setChannel << ", power "
      << s.powerSaveMode << ", rates auto " << s.ratesAuto << " (" << s.rates[0] << ","
      << s.rates[1] << "," << s.rates[2] << "," << s.rates[3] << ")\n"
      << "encryption    privacy " << s.privacyMode << "/" << s.privacyKeyBits << " bits, auth "
      << s.authenticationMode << ", default key " << s.defaultKeyId << "\n";
  for (int k = 0; k < 4; ++k) out << "  key " << k << "       " << WepKeyText(s, k) << "\n";
  out << "timing        association " << s.associationDelayMs << " ms"
      << (s.associationPending ? " (looking for \"" + FieldText(s.setSsid, sizeof(s.setSsid)) + "\")"
                               : std::string())
      << ", survey " << s.scanDelayMs << " ms\n"
      << "misbehaviour  ssid " << OnOff(s.ssidUnterminated) << ", mac " << OnOff(s.macUnterminated)
      << ", driver " << OnOff(s.driverTextUnterminated) << ", survey-ssid "
      << OnOff(s.surveySsidsFull) << ", survey-count "
      << (s.surveyCountForced ? std::to_string(s.surveyCount) : std::string("honest")) << "\n"
      << "devnode       problem "
      << (s.devNodeProblem < 0 ? std::string("platform") : std::to_string(s.devNodeProblem))
      << ", fails " << OnOff(s.devNodeStatusFails) << ", calls " << s.devNodeCalls << "\n"
      << "log           " << ReadLog(s).size() << " lines, next " << s.logNext << ", polling "
      << OnOff(s.logPolling) << "\n"
      << "networks      " << s.networkCount << "\n";
  for (int i = 0; i < s.networkCount && i < kMaxNetworks; ++i) out << NetworkLine(i, s.networks[i]);
  return out.str();
}

}  // namespace tarnel::sim
