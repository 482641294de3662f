// Texts of the header block: display names, encoded words and the removal
// of header lines that the message writes itself.
#pragma once

#include <string>
#include <string_view>

#include "mail/text_limits.h"

// `text` with every CR and LF replaced by a blank, so that a value can
// never start a header line of its own.
std::string SingleLine(std::string_view text);

// A display name as it goes before " <address>": a name that holds a "."
// or another address special character ( ) < > [ ] : ; @ \ , is wrapped in
// double quotes (backslashes escaped); a name that already holds a double
// quote, or no special character, is written as it is.
std::string QuoteDisplayName(std::string_view name);

// "=?ISO-2022-JP?B?" + Base64 of `text` + "?=", never cut short.
std::string Iso2022jpEncodedWord(std::string_view text);

// Whether `text` begins with ESC, the mark of text already in ISO-2022-JP.
bool IsIso2022jpText(std::string_view text);

// Removes from `headers` every line named From, To, CC, BCC,
// Return-Receipt-To, X-Priority, Subject, Mime-Version, Content-Type,
// X-Encoding or Content-Transfer-Encoding (any letter case), together with
// the continuation lines that follow it.
void RemoveReservedHeaders(TStringList& headers);
