// The link's events from readings and the user's acts, the notices they give, the 5 s pace of
// notices and the tooltip's line. Each journey is a table of steps on the readings' clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/portable/LinkEvents.h"

namespace tarnel {
namespace {

constexpr char kOffice[] = "00:0A:FF:60:0F:4D";
constexpr char kOffice2[] = "00:0A:FF:60:0F:4E";

LinkReading Up(const char* ssid = "Office", const char* bssid = kOffice, int channel = 6, int signal = 72) {
  LinkReading r;
  r.linked = true;
  r.linkState = 1;
  r.ssid = ssid;
  r.bssid = bssid;
  r.channel = channel;
  r.signal = signal;
  r.quality = 80;
  return r;
}
LinkReading Down() { return LinkReading{}; }
LinkReading RadioOff() {
  LinkReading r;
  r.radioOff = true;
  return r;
}
LinkReading Gone() {
  LinkReading r;
  r.adapterPresent = false;
  return r;
}

enum class Act { kRead, kUser, kAutoSwitch, kUserSwitch, kSuspend };

struct Step {
  uint32_t at;
  Act act;
  LinkReading reading;
  // Event names made by the step, "!" after one caused by the user; then "| title" of each notice.
  const char* expected;
  const char* tip = nullptr;  // the tooltip's line after the step, when given
};

std::string Describe(const std::vector<LinkEvent>& events) {
  std::string names, notices;
  for (const LinkEvent& e : events) {
    names += std::string(names.empty() ? "" : " ") + LinkEventName(e.kind) + (e.userCaused ? "!" : "");
    if (auto notice = NoticeFor(e)) notices += " | " + notice->title;
  }
  return names + notices;
}

void RunJourney(const char* journey, const std::vector<Step>& steps) {
  LinkEvents model;
  for (const Step& s : steps) {
    std::vector<LinkEvent> events;
    switch (s.act) {
      case Act::kRead: {
        LinkReading r = s.reading;
        r.atMs = s.at;
        events = model.Feed(r);
        break;
      }
      case Act::kUser:
        model.OnUserChange(s.at);
        break;
      case Act::kAutoSwitch:
      case Act::kUserSwitch:
        events.push_back(model.OnProfileSwitched("Home", "tarnel-lab", s.act == Act::kAutoSwitch, s.at));
        break;
      case Act::kSuspend:
        events = model.OnSuspend(s.at);
        break;
    }
    EXPECT_EQ(std::string(s.expected), Describe(events)) << journey << ", step at " << s.at << " ms";
    if (s.tip) {
      EXPECT_EQ(s.tip, LinkTipLine(model.Latest(), model.Away(), model.Unstable())) << journey << ", " << s.at;
    }
  }
}

TEST(LinkEvents, EveryKindOfEventAndTheNoticesItGives) {
  RunJourney("connect, move, roam, lose, radio, adapter",
      {
          {0, Act::kRead, Down(), "state"},
          {300, Act::kRead, Up(), "connected | Connected"},
          {600, Act::kRead, Up("Office", kOffice, 6, 40), ""},  // signal alone is no event
          {900, Act::kRead, Up("Office", kOffice, 11), "channel"},
          {1200, Act::kRead, Up("Office", kOffice2, 11), "roamed"},
          {1500, Act::kRead, Up("Harbour", "00:0A:FF:00:00:01", 3), "lost connected | Connection lost | Connected"},
          {1800, Act::kRead, Down(), ""},
          {4700, Act::kRead, Down(), ""},
          {4800, Act::kRead, Down(), "lost | Connection lost"},
          {5100, Act::kRead, Down(), ""},
          {5400, Act::kRead, Up(), "connected | Connected"},
          {5700, Act::kRead, RadioOff(), "lost! radio-off"},
          {6000, Act::kRead, RadioOff(), ""},
          {6300, Act::kRead, Down(), "radio-on"},
          {6600, Act::kRead, Up(), "connected | Connected"},
          {6900, Act::kRead, Gone(), "lost adapter-gone | Connection lost | Adapter removed"},
          {7200, Act::kRead, Gone(), ""},
          {9000, Act::kRead, Down(), "adapter-back"},
          {9300, Act::kAutoSwitch, {}, "profile | Switching profile"},
          {9600, Act::kUserSwitch, {}, "profile!"},
      });
}

TEST(LinkEvents, ALinkBackWithinThreeSecondsWasNeverLost) {
  RunJourney("brief losses",
      {
          {0, Act::kRead, Up(), "state"},  // the link already up at start gives no notice
          {300, Act::kRead, Down(), ""},
          {3299, Act::kRead, Down(), ""},
          {3299, Act::kRead, Up(), ""},                     // same peer, same channel: nothing at all
          {3600, Act::kRead, Down(), ""},
          {4000, Act::kRead, Up("Office", kOffice2), "roamed"},  // back on another peer of it
          {4300, Act::kRead, Down(), ""},
          {7300, Act::kRead, Down(), "lost | Connection lost"},  // the loss counts from its first reading
          {0xFFFFFE00u, Act::kRead, Up(), "connected | Connected"},
          {0xFFFFFF00u, Act::kRead, Down(), ""},
          {2700, Act::kRead, Down(), ""},  // 2,956 ms, across the clock's wrap
          {2800, Act::kRead, Down(), "lost | Connection lost"},
      });
}

TEST(LinkEvents, ANetworkLostThreeTimesInTwoMinutesIsToldUnstableOnceThenQuietUntilItHolds) {
  RunJourney("6 s down, 2 s up, at the edge of the network's range",
      {
          {0, Act::kRead, Up(), "state"},
          {300, Act::kRead, Down(), ""},
          {3300, Act::kRead, Down(), "lost | Connection lost"},
          {6000, Act::kRead, Up(), "connected | Connected"},
          {8000, Act::kRead, Down(), ""},
          {11000, Act::kRead, Down(), "lost | Connection lost"},
          {14000, Act::kRead, Up(), "connected | Connected"},
          {16000, Act::kRead, Down(), ""},
          {19000, Act::kRead, Down(), "lost unstable | Unstable connection"},
          {22000, Act::kRead, Up(), "connected", "Office, unstable, signal 72%"},
          {24000, Act::kRead, Down(), ""},
          {27000, Act::kRead, Down(), "lost", "Not connected"},  // told once
          {28000, Act::kRead, Up("Harbour", "00:0A:FF:00:00:01", 3), "connected | Connected",
           "Harbour, signal 72%, quality 80%"},  // another network speaks as ever
          {28300, Act::kRead, Up(), "lost connected | Connection lost"},
          {148200, Act::kRead, Up(), "", "Office, unstable, signal 72%"},
          {148300, Act::kRead, Up(), "", "Office, signal 72%, quality 80%"},  // held two minutes
          {148600, Act::kRead, Down(), ""},
          {151600, Act::kRead, Down(), "lost | Connection lost"},
          {152000, Act::kRead, Up(), "connected | Connected"},
          {152300, Act::kRead, Down(), ""},
          {155300, Act::kRead, Down(), "lost | Connection lost"},
          {156000, Act::kRead, Up(), "connected | Connected"},
          {156300, Act::kRead, Down(), ""},
          {159300, Act::kRead, Down(), "lost unstable | Unstable connection"},  // a new spell
      });
  RunJourney("losses the user caused, or too far apart, do not count",
      {
          {0, Act::kRead, Up(), "state"},
          {300, Act::kRead, Down(), ""},
          {3300, Act::kRead, Down(), "lost | Connection lost"},
          {4000, Act::kRead, Up(), "connected | Connected"},
          {5000, Act::kUser, {}, ""},
          {5300, Act::kRead, Down(), ""},
          {8300, Act::kRead, Down(), "lost!"},
          {9000, Act::kRead, Up(), "connected | Connected"},
          {9300, Act::kRead, RadioOff(), "lost! radio-off"},
          {9600, Act::kRead, Up(), "radio-on connected | Connected"},
          {125000, Act::kRead, Down(), ""},
          {128000, Act::kRead, Down(), "lost | Connection lost"},  // the first is 124.7 s before
          {129000, Act::kRead, Up(), "connected | Connected"},
      });
}

TEST(LinkEvents, WhatTheUserDidGivesNoNoticeButTheLinkItBringsDoes) {
  RunJourney("apply, join, switch, suspend",
      {
          {0, Act::kRead, Up(), "state"},
          {1000, Act::kUser, {}, ""},
          {1300, Act::kRead, Down(), ""},
          {2000, Act::kRead, Up(), "connected | Connected"},  // the brief loss after an apply
          {3000, Act::kUser, {}, ""},
          {3300, Act::kRead, Down(), ""},
          {8000, Act::kRead, Down(), "lost!"},  // a join of a network that does not answer
          {9000, Act::kRead, Up("Harbour"), "connected | Connected"},
          {30000, Act::kRead, Down(), ""},  // long after the user's change: not theirs
          {31000, Act::kUser, {}, ""},      // ...unless they act during the loss
          {34000, Act::kRead, Down(), "lost!"},
          {35000, Act::kRead, Up(), "connected | Connected"},
          {36000, Act::kAutoSwitch, {}, "profile | Switching profile"},
          {36300, Act::kRead, Up("tarnel-lab"), "lost! connected | Connected"},
          {40000, Act::kSuspend, {}, "lost!"},
          {90000, Act::kRead, Down(), ""},
          {90300, Act::kRead, Up(), "connected | Connected"},
          {91000, Act::kSuspend, {}, "lost!"},
          {92000, Act::kRead, Gone(), "adapter-gone | Adapter removed"},
      });
}

TEST(LinkEvents, NoticesComeAtMostEveryFiveSecondsAndTheLatestWins) {
  const LinkNotice a{"A", "a", false}, b{"B", "b", true}, c{"C", "c", false};
  NoticePacer pacer;
  EXPECT_EQ("A", pacer.Offer(a, 1000).value().title) << "the first at once";
  EXPECT_FALSE(pacer.Offer(b, 2000));
  EXPECT_FALSE(pacer.Offer(c, 3000));
  EXPECT_FALSE(pacer.Due(5999));
  EXPECT_EQ("C", pacer.Due(6000).value().title) << "the latest of those that waited";
  EXPECT_FALSE(pacer.Due(20000)) << "shown once";
  EXPECT_EQ("B", pacer.Offer(b, 20000).value().title) << "after a quiet spell, at once";
  pacer.Offer(c, 21000);
  pacer.Drop();
  EXPECT_FALSE(pacer.Due(30000)) << "exit and suspend drop what waits";
}

TEST(LinkEvents, NoticeTextsAndTheTooltipLine) {
  LinkEvents model;
  LinkReading first = Down();
  model.Feed(first);
  LinkReading up = Up("Office", kOffice, 6, 72);
  up.atMs = 300;
  const LinkNotice connected = NoticeFor(model.Feed(up).at(0)).value();
  EXPECT_EQ("Connected to Office on channel 6, signal 72%.", connected.text);
  EXPECT_FALSE(connected.warning);
  const LinkNotice lost = NoticeFor(model.Feed(Gone()).at(0)).value();
  EXPECT_EQ("The connection to Office was lost.", lost.text);
  EXPECT_TRUE(lost.warning);
  LinkEvent gone;
  gone.kind = LinkEventKind::kAdapterGone;
  EXPECT_EQ("The wireless adapter was removed.", NoticeFor(gone).value().text);
  EXPECT_EQ("tarnel-lab is in range: switching to the profile Home.",
            NoticeFor(model.OnProfileSwitched("Home", "tarnel-lab", true, 0)).value().text);

  EXPECT_EQ("Office, signal 72%, quality 80%", LinkTipLine(up, false));
  EXPECT_EQ("Not connected", LinkTipLine(Down(), false));
  EXPECT_EQ("Radio off", LinkTipLine(RadioOff(), false));
  EXPECT_EQ("Adapter not present", LinkTipLine(Gone(), false));
  EXPECT_EQ("Adapter not present", LinkTipLine(up, true)) << "suspended";

  LinkEvent unstable;
  unstable.kind = LinkEventKind::kUnstable;
  unstable.link = up;
  const LinkNotice dropping = NoticeFor(unstable).value();
  EXPECT_EQ("Unstable connection", dropping.title);
  EXPECT_EQ("The connection to Office keeps dropping.", dropping.text);
  EXPECT_TRUE(dropping.warning);
}

}  // namespace
}  // namespace tarnel
