// Quoted-printable text (RFC 2045) for message bodies and text attachments.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "mail/text_limits.h"
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

  // Neither `source` nor `target` is owned; both must outlive the encoder.
  TQuotedPrintable(TStream& source, TStringList& target) : source_(source), target_(target) {}

  // Reads the source from its start to its end and appends the encoded
  // lines to the target. Lines appended before an error stay there.
  void Encode();

  // Set to end the encoding after the current paragraph.
  bool Stop = false;

 private:
  void EncodeParagraph(std::string_view paragraph);
  void AppendPiece(std::string_view piece, bool softBreak);

  TStream& source_;
  TStringList& target_;
};
