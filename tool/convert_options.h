// Argument parsing of `grabwell-tool convert`.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "output/write_gif_file.h"
#include "tool/commands.h"

enum class TOutputFormat { ofBitmap, ofGIF, ofJPEG };

struct TConvertRequest {
  std::string input;
  std::string output;
  TOutputFormat format = TOutputFormat::ofBitmap;
  // Present when any GIF option was given; the GIF is then written with
  // these choices instead of exactly as the program writes it.
  std::optional<TGIFOptions> gif;
};

// Raised for arguments that make no sense; the text says what is wrong.
class EUsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The output format from OUT's extension: .bmp, .gif or .jpg in any case.
std::optional<TOutputFormat> OutputFormatOf(const std::string& path);

TConvertRequest ParseConvertArguments(const TArguments& args);
