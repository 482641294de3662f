// Quoted-printable text (RFC 2045) for message bodies and text attachments.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "mail/text_limits.h"
#include "mail/transfer_encodings.h"
#include "platform/stream.h"

// Turns the whole source stream into quoted-printable lines, without line
// ends. Each line end of the source (CR LF, LF CR, CR CR, LF LF, or a lone
// CR or LF) ends a paragraph; a paragraph is cut into pieces of about 65
// characters, before a blank where there is one, each cut piece ending in
// the soft line break "=".
class TQuotedPrintable {
 public:
  // The longest paragraph the encoder holds; a longer one raises
  // std::runtime_error "Paragraph is too large".
  static constexpr std::size_t kParagraphLimit = 24575;

  // `source` is not owned and must outlive the encoder; each encoded line
  // goes to `writeLine`.
  TQuotedPrintable(TStream& source, TLineSink writeLine) : source_(source), writeLine_(std::move(writeLine)) {}
  // The lines are appended to `target`, which must outlive the encoder.
  TQuotedPrintable(TStream& source, TStringList& target)
      : TQuotedPrintable(source, [&target](std::string_view line) { target.emplace_back(line); }) {}

  // Reads the source from its start to its end and hands out the encoded
  // lines. Lines handed out before an error stay where they went.
  void Encode();

  // Set to end the encoding after the current paragraph.
  bool Stop = false;

 private:
  void EncodeParagraph(std::string_view paragraph);
  void AppendPiece(std::string_view piece, bool softBreak);

  TStream& source_;
  TLineSink writeLine_;
};
