#include "mail/string_table.h"

#include <gtest/gtest.h>

namespace {

struct TEntryCase {
  int id;
  const char* text;
};

class StringTable : public testing::TestWithParam<TEntryCase> {};

TEST_P(StringTable, LoadStr) { EXPECT_EQ(LoadStr(GetParam().id), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Entries, StringTable,
                         testing::Values(TEntryCase{sOperationTimedOut, "Operation timed out"},
                                         TEntryCase{sFunctionNotFound, "Function %s not found"},
                                         TEntryCase{sWinsockNotFound, "Winsock not found"},
                                         TEntryCase{sSenderRequired, "The address of sender is required"},
                                         TEntryCase{sMailMessageRequired, "MailMessage property must be assigned"},
                                         TEntryCase{sMultipartPreamble, "This is a multipart message in MIME format"},
                                         TEntryCase{10000, "[0] No Error"},
                                         TEntryCase{10004, "[10004] Interrupted function call"},
                                         TEntryCase{10054, "[10054] Connection reset by peer"},
                                         TEntryCase{11004, "[11004] Valid name, no data record of requested type"},
                                         // Numbers without an entry give an empty text.
                                         TEntryCase{10010, ""}, TEntryCase{57006, ""}, TEntryCase{0, ""},
                                         TEntryCase{-1, ""}));

TEST(StringTable, FindStrTellsAMissingEntryFromAnEmptyOne) {
  EXPECT_FALSE(FindStr(10010).has_value());
  EXPECT_EQ(FindStr(57002).value_or(""), "Server property is required");
}

}  // namespace
