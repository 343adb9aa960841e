// The list of profile names under "ProfileList" and the current-profile record it carries.
#include <cstring>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "profiles/ProfileStore.h"

namespace tarnel::test {
namespace {

using Names = std::vector<std::string>;

std::string CurrentProfile() {
  char buffer[kProfileNameBufferSize] = {};
  GetCurrentProfile(buffer);
  return buffer;
}

Names LoadedList() {
  LoadProfileList();
  return ProfileNameList;
}

TEST_F(StoreTest, AddListsANameOnceAndMakesItCurrent) {
  AddToProfileList("Home");
  AddToProfileList("Office");
  EXPECT_EQ("Office", CurrentProfile());
  AddToProfileList("Home");
  EXPECT_EQ("Home", CurrentProfile());
  EXPECT_EQ((Names{"Home", "Office"}), LoadedList());

  // The entry carries no data and no profile sub-key is made for it.
  RegKey list = OpenRaw("ProfileList");
  DWORD size = 99;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(list.Get(), "Home", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(0u, size);
  EXPECT_FALSE(OpenRaw("Home").IsOpen());
}

// Here the unnamed value always enumerates first, then the names in order regardless of case
// (the platform keeps values sorted); so the record-and-names order A, (unnamed), B, C of other
// registries is built as (unnamed), A, B, C.
class RemoveTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    AddToProfileList("C");
    AddToProfileList("A");
    AddToProfileList("B");
    ASSERT_EQ((Names{"", "A", "B", "C"}), ListValueNames());
  }
};

TEST_F(RemoveTest, NextNeighbourBecomesCurrent) {
  RemoveFromProfileList("B");
  EXPECT_EQ("C", CurrentProfile());
  EXPECT_EQ((Names{"", "A", "C"}), ListValueNames());

  RemoveFromProfileList("A");
  EXPECT_EQ("C", CurrentProfile());
  EXPECT_EQ((Names{"", "C"}), ListValueNames());
}

TEST_F(RemoveTest, LastValueHandsOverToThePreviousOne) {
  RemoveFromProfileList("C");
  EXPECT_EQ("B", CurrentProfile());
  EXPECT_EQ((Names{"", "A", "B"}), ListValueNames());
}

TEST_F(RemoveTest, PreviousNeighbourThatIsTheRecordItselfEmptiesIt) {
  RemoveFromProfileList("C");
  RemoveFromProfileList("B");
  RemoveFromProfileList("A");  // neighbour: the unnamed value, whose own name is empty
  EXPECT_EQ((Names{""}), ListValueNames());
  EXPECT_EQ("Default", CurrentProfile());
}

TEST_F(RemoveTest, MatchIsCaseSensitiveWhileTheRegistryIsNot) {
  AddToProfileList("b");  // the same value as "B"
  EXPECT_EQ((Names{"A", "B", "C"}), LoadedList());

  // Not found: the value at index 0 (the record, empty here) becomes current, nothing deleted.
  RemoveFromProfileList("c");
  EXPECT_EQ("Default", CurrentProfile());
  EXPECT_EQ((Names{"", "A", "B", "C"}), ListValueNames());
}

TEST_F(StoreTest, RemoveWithoutARecordValue) {
  const char nothing = 0;
  WriteRaw("ProfileList", "A", REG_SZ, &nothing, 0);
  WriteRaw("ProfileList", "B", REG_SZ, &nothing, 0);
  RemoveFromProfileList("A");
  EXPECT_EQ("B", CurrentProfile());
  EXPECT_EQ((Names{"", "B"}), ListValueNames());

  // The only value has no neighbour: no record is written.
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueA(OpenRaw("ProfileList").Get(), ""));
  RemoveFromProfileList("B");
  EXPECT_TRUE(ListValueNames().empty());
  RemoveFromProfileList("B");
  EXPECT_TRUE(ListValueNames().empty());
}

TEST_F(StoreTest, OverlongNamesArePassedOverNotEndingTheList) {
  const std::string longName(300, 'M');
  const char nothing = 0;
  AddToProfileList("A");
  WriteRaw("ProfileList", longName.c_str(), REG_SZ, &nothing, 0);
  AddToProfileList("Z");
  ASSERT_EQ((Names{"", "A", longName, "Z"}), ListValueNames());

  EXPECT_EQ((Names{"A", "Z"}), LoadedList());

  // The overlong value is no neighbour either: removing A hands over to Z.
  RemoveFromProfileList("A");
  EXPECT_EQ("Z", CurrentProfile());
  EXPECT_EQ((Names{"", longName, "Z"}), ListValueNames());
}

TEST_F(StoreTest, ListKeepsItsOrderOfEnumeration) {
  ProfileNameList = {"stale"};
  for (const char* name : {"office", "Cafe", "home", "Beach"}) AddToProfileList(name);
  EXPECT_EQ((Names{"Beach", "Cafe", "home", "office"}), LoadedList());
}

TEST_F(StoreTest, DeletingAProfileTheWayTheConfigurationPageDoes) {
  AddToProfileList("Home");
  SaveProfileSettings("Home", "HomeNet", 1, 3, 0, 0);
  AddToProfileList("Office");

  RemoveFromProfileList("Home");
  DeleteProfileName("Home");  // already gone: changes nothing
  DeleteProfileKey("Home");
  EXPECT_EQ((Names{"Office"}), LoadedList());
  EXPECT_FALSE(OpenRaw("Home").IsOpen());

  DeleteProfileName("Office");
  EXPECT_TRUE(LoadedList().empty());
}

TEST_F(StoreTest, DeleteProfileNameNeverCreatesTheList) {
  DeleteProfileName("Home");
  EXPECT_FALSE(OpenRaw("ProfileList").IsOpen());
}

TEST_F(StoreTest, DeleteProfileKeyWithAnEmptyNameLeavesTheDriverKey) {
  DeleteProfileKey("");
  EXPECT_TRUE(OpenRaw("").IsOpen());
}

}  // namespace
}  // namespace tarnel::test
