#include "app/portable/TrayRules.h"

#include "settings/portable/ProfileName.h"

namespace tarnel {

namespace {

bool EitherIn(uint32_t a, uint32_t b, uint32_t low, uint32_t high) {
  return (a >= low && a <= high) || (b >= low && b <= high);
}

}  // namespace

TrayStep TrayStepFor(uint32_t linkStatus) {
  const uint32_t signal = linkStatus >> 16;
  const uint32_t quality = linkStatus & 0xFFFFu;
  if (signal == 0 || quality == 0) return TrayStep::NoLink;
  if (EitherIn(signal, quality, 1, 29)) return TrayStep::Weak;
  if (EitherIn(signal, quality, 30, 59)) return TrayStep::Medium;
  if (EitherIn(signal, quality, 60, 100)) return TrayStep::Strong;
  return TrayStep::Unchanged;
}

void CopyTrayTip(const char* tip, char* field, size_t fieldSize) {
  if (fieldSize == 0) return;
  size_t length = 0;
  if (tip) {
    while (length + 1 < fieldSize && tip[length] != '\0') {
      field[length] = tip[length];
      ++length;
    }
  }
  field[length] = '\0';
}

std::string LastTipLine(const char* tip) {
  const std::string text = tip ? tip : "";
  return text.substr(text.find_last_of('\n') + 1);
}

TrayProfiles TrayProfilesOf(const std::vector<std::string>& listed, const std::vector<std::string>& recent) {
  TrayProfiles shown;
  if (listed.size() <= kTrayProfileCount) {
    shown.names = listed;
    return shown;
  }
  shown.more = true;
  std::vector<bool> taken(listed.size(), false);
  const auto take = [&](size_t i) {
    if (taken[i] || shown.names.size() >= kTrayProfileCount) return;
    taken[i] = true;
    shown.names.push_back(listed[i]);
  };
  for (const std::string& name : recent)
    for (size_t i = 0; i < listed.size(); ++i)
      if (SameProfileName(listed[i], name)) take(i);
  for (size_t i = 0; i < listed.size(); ++i) take(i);
  return shown;
}

}  // namespace tarnel
