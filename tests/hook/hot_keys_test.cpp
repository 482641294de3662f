#include "hook/hot_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// The numbering as the product documents it: each row runs from its first
// to its last number, the names stepping through digits, letters or F-keys.
struct TDocumentedRow {
  int First;
  int Last;
  const char* FirstName;
  const char* LastName;
};

const TDocumentedRow kDocumentedRows[] = {
    {0, 9, "Ctrl+0", "Ctrl+9"},
    {10, 21, "Ctrl+F1", "Ctrl+F12"},
    {22, 33, "Alt+F1", "Alt+F12"},
    {34, 45, "F1", "F12"},
    {46, 57, "Shift+F1", "Shift+F12"},
    {58, 69, "Win+F1", "Win+F12"},
    {70, 81, "Ctrl+Shift+F1", "Ctrl+Shift+F12"},
    {82, 107, "Ctrl+Alt+A", "Ctrl+Alt+Z"},
    {108, 117, "Ctrl+Alt+0", "Ctrl+Alt+9"},
    {118, 129, "Ctrl+Alt+F1", "Ctrl+Alt+F12"},
    {130, 141, "Alt+Shift+F1", "Alt+Shift+F12"},
    {142, 167, "Win+Ctrl+A", "Win+Ctrl+Z"},
    {168, 177, "Win+Ctrl+0", "Win+Ctrl+9"},
    {178, 189, "Win+Ctrl+F1", "Win+Ctrl+F12"},
    {190, 215, "Win+Alt+A", "Win+Alt+Z"},
    {216, 225, "Win+Alt+0", "Win+Alt+9"},
    {226, 237, "Win+Alt+F1", "Win+Alt+F12"},
};

// The name of the i-th key of a row whose first name is `firstName`.
std::string NthName(const std::string& firstName, int i) {
  const std::size_t plus = firstName.rfind('+');
  const std::string prefix = plus == std::string::npos ? "" : firstName.substr(0, plus + 1);
  const std::string key = firstName.substr(prefix.size());
  if (key == "F1") return prefix + "F" + std::to_string(i + 1);
  return prefix + static_cast<char>(key[0] + i);
}

class HotKeyRows : public ::testing::TestWithParam<TDocumentedRow> {};

TEST_P(HotKeyRows, EveryNumberHasItsDocumentedName) {
  const TDocumentedRow& row = GetParam();
  EXPECT_EQ(HotKeyNames[row.First], row.FirstName);
  EXPECT_EQ(HotKeyNames[row.Last], row.LastName);
  for (int n = row.First; n <= row.Last; ++n) {
    EXPECT_EQ(HotKeyNames[n], NthName(row.FirstName, n - row.First)) << "number " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(AllRows, HotKeyRows, ::testing::ValuesIn(kDocumentedRows));

TEST(HotKeys, RowsCoverEveryNumberOnce) {
  int next = 0;
  for (const TDocumentedRow& row : kDocumentedRows) {
    EXPECT_EQ(row.First, next);
    next = row.Last + 1;
  }
  EXPECT_EQ(next, kHotKeyCount);
}

TEST(HotKeys, DefaultIsF11AndNamesFitTheirField) {
  EXPECT_EQ(HotKeyNames[kDefaultHotKey], "F11");
  std::set<std::string_view> distinct;
  for (std::string_view name : HotKeyNames) {
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 15u) << name;
    distinct.insert(name);
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kHotKeyCount));
}

// Reads a name like "Win+Ctrl+F5" back into the key and modifiers it stands
// for, independently of the table's own construction.
THotKeyCombination ParseName(std::string_view name) {
  std::uint8_t modifiers = hmNone;
  for (;;) {
    const std::size_t plus = name.find('+');
    if (plus == std::string_view::npos) break;
    const std::string_view modifier = name.substr(0, plus);
    if (modifier == "Ctrl")
      modifiers |= hmCtrl;
    else if (modifier == "Alt")
      modifiers |= hmAlt;
    else if (modifier == "Shift")
      modifiers |= hmShift;
    else if (modifier == "Win")
      modifiers |= hmWin;
    else
      ADD_FAILURE() << "unknown modifier in " << name;
    name.remove_prefix(plus + 1);
  }
  if (name.size() > 1 && name[0] == 'F')
    return {static_cast<std::uint8_t>(0x6F + std::stoi(std::string(name.substr(1)))), modifiers};
  return {static_cast<std::uint8_t>(name[0]), modifiers};  // '0'..'9' and 'A'..'Z' are their own codes
}

TEST(HotKeys, CombinationMatchesNameAndLookupFindsItsNumber) {
  for (int n = 0; n < kHotKeyCount; ++n) {
    const auto combination = HotKeyCombination(n);
    ASSERT_TRUE(combination.has_value());
    EXPECT_EQ(*combination, ParseName(HotKeyNames[n])) << HotKeyNames[n];
    // A shared combination would make the lookup answer the lower number.
    EXPECT_EQ(FindHotKey(combination->VirtualKey, combination->Modifiers), n) << HotKeyNames[n];
  }
}

struct TUnknownCombination {
  std::uint8_t VirtualKey;
  std::uint8_t Modifiers;
};

class UnknownCombinations : public ::testing::TestWithParam<TUnknownCombination> {};

TEST_P(UnknownCombinations, AreNotHotKeys) {
  EXPECT_EQ(FindHotKey(GetParam().VirtualKey, GetParam().Modifiers), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(OutsideTheTable, UnknownCombinations,
                         ::testing::Values(TUnknownCombination{'A', hmNone}, TUnknownCombination{'A', hmCtrl},
                                           TUnknownCombination{'5', hmNone}, TUnknownCombination{'5', hmAlt},
                                           TUnknownCombination{0x70, hmCtrl | hmAlt | hmShift},
                                           TUnknownCombination{0x70, hmWin | hmShift},
                                           TUnknownCombination{0x7C, hmNone},  // F13
                                           TUnknownCombination{0x6F, hmNone},  // just below F1
                                           TUnknownCombination{'Z' + 1, hmCtrl | hmAlt},
                                           TUnknownCombination{'0' - 1, hmCtrl}));

TEST(HotKeys, NumbersOutsideTheTableHaveNoCombination) {
  for (int n : {-1, kHotKeyCount, 1000}) {
    EXPECT_FALSE(IsHotKeyNumber(n));
    EXPECT_EQ(HotKeyCombination(n), std::nullopt);
  }
}

}  // namespace
