#include "hook/hot_keys.h"

namespace {

enum class TKeyRun { Digits, Letters, FunctionKeys };

// One row of the numbering: a modifier set with one run of keys. The rows
// are in number order; within a row the numbers go up with the key.
struct TRow {
  std::uint8_t Modifiers;
  TKeyRun Keys;
};

constexpr TRow kRows[] = {
    {hmCtrl, TKeyRun::Digits},                  // 0..9
    {hmCtrl, TKeyRun::FunctionKeys},            // 10..21
    {hmAlt, TKeyRun::FunctionKeys},             // 22..33
    {hmNone, TKeyRun::FunctionKeys},            // 34..45
    {hmShift, TKeyRun::FunctionKeys},           // 46..57
    {hmWin, TKeyRun::FunctionKeys},             // 58..69
    {hmCtrl | hmShift, TKeyRun::FunctionKeys},  // 70..81
    {hmCtrl | hmAlt, TKeyRun::Letters},         // 82..107
    {hmCtrl | hmAlt, TKeyRun::Digits},          // 108..117
    {hmCtrl | hmAlt, TKeyRun::FunctionKeys},    // 118..129
    {hmAlt | hmShift, TKeyRun::FunctionKeys},   // 130..141
    {hmWin | hmCtrl, TKeyRun::Letters},         // 142..167
    {hmWin | hmCtrl, TKeyRun::Digits},          // 168..177
    {hmWin | hmCtrl, TKeyRun::FunctionKeys},    // 178..189
    {hmWin | hmAlt, TKeyRun::Letters},          // 190..215
    {hmWin | hmAlt, TKeyRun::Digits},           // 216..225
    {hmWin | hmAlt, TKeyRun::FunctionKeys},     // 226..237
};

constexpr int RunLength(TKeyRun run) {
  switch (run) {
    case TKeyRun::Digits:
      return 10;
    case TKeyRun::Letters:
      return 26;
    case TKeyRun::FunctionKeys:
      return 12;
  }
  return 0;
}

constexpr std::uint8_t FirstKey(TKeyRun run) {
  switch (run) {
    case TKeyRun::Digits:
      return kVirtualKey0;
    case TKeyRun::Letters:
      return kVirtualKeyA;
    case TKeyRun::FunctionKeys:
      return kVirtualKeyF1;
  }
  return 0;
}

constexpr int CountNumbers() {
  int count = 0;
  for (const TRow& row : kRows) count += RunLength(row.Keys);
  return count;
}
static_assert(CountNumbers() == kHotKeyCount);

// A name with its terminator, in a fixed buffer so the table is built at
// compile time and needs no start-up code.
struct TNameBuffer {
  char Text[kMaxHotKeyNameLength + 1] = {};
  std::size_t Length = 0;

  // A name that would not fit stops the compilation: the table is built
  // in a constant expression, where reaching the throw is an error.
  constexpr void Append(char c) {
    if (Length == kMaxHotKeyNameLength) throw "hot-key name longer than kMaxHotKeyNameLength";
    Text[Length++] = c;
  }
  constexpr void Append(std::string_view part) {
    for (char c : part) Append(c);
  }
};

struct TTable {
  TNameBuffer Names[kHotKeyCount];
  THotKeyCombination Combinations[kHotKeyCount];
};

constexpr TTable BuildTable() {
  TTable table{};
  int number = 0;
  for (const TRow& row : kRows) {
    for (int i = 0; i < RunLength(row.Keys); ++i, ++number) {
      table.Combinations[number] = {static_cast<std::uint8_t>(FirstKey(row.Keys) + i), row.Modifiers};
      TNameBuffer& name = table.Names[number];
      // The modifiers are always named in this order: "Win+Ctrl+", "Ctrl+Alt+", "Alt+Shift+".
      if (row.Modifiers & hmWin) name.Append("Win+");
      if (row.Modifiers & hmCtrl) name.Append("Ctrl+");
      if (row.Modifiers & hmAlt) name.Append("Alt+");
      if (row.Modifiers & hmShift) name.Append("Shift+");
      switch (row.Keys) {
        case TKeyRun::Digits:
          name.Append(static_cast<char>('0' + i));
          break;
        case TKeyRun::Letters:
          name.Append(static_cast<char>('A' + i));
          break;
        case TKeyRun::FunctionKeys: {
          const int f = i + 1;
          name.Append('F');
          if (f >= 10) name.Append('1');
          name.Append(static_cast<char>('0' + f % 10));
          break;
        }
      }
    }
  }
  return table;
}

constexpr TTable kTable = BuildTable();

constexpr std::array<std::string_view, kHotKeyCount> BuildNames() {
  std::array<std::string_view, kHotKeyCount> names{};
  for (int n = 0; n < kHotKeyCount; ++n) names[n] = {kTable.Names[n].Text, kTable.Names[n].Length};
  return names;
}

}  // namespace

extern constexpr std::array<std::string_view, kHotKeyCount> HotKeyNames = BuildNames();

std::optional<THotKeyCombination> HotKeyCombination(int number) {
  if (!IsHotKeyNumber(number)) return std::nullopt;
  return kTable.Combinations[number];
}

std::optional<int> FindHotKey(std::uint8_t virtualKey, std::uint8_t modifiers) {
  const THotKeyCombination wanted{virtualKey, modifiers};
  for (int n = 0; n < kHotKeyCount; ++n) {
    if (kTable.Combinations[n] == wanted) return n;
  }
  return std::nullopt;
}
