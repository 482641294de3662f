#include "tool/convert_options.h"

#include <algorithm>
#include <charconv>

namespace {

std::string UpperExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
  return extension;
}

int NumberIn(const std::string& option, const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    throw EUsageError(option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high) +
                      ", not \"" + text + "\"");
  }
  return value;
}

}  // namespace

std::optional<TOutputFormat> OutputFormatOf(const std::string& path) {
  const std::string extension = UpperExtension(path);
  if (extension == ".BMP") return TOutputFormat::ofBitmap;
  if (extension == ".GIF") return TOutputFormat::ofGIF;
  if (extension == ".JPG") return TOutputFormat::ofJPEG;
  return std::nullopt;
}

TConvertRequest ParseConvertArguments(const TArguments& args) {
  TConvertRequest request;
  TArguments files;
  TGIFOptions gif;
  bool gifOptionGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    if (option.rfind("--", 0) != 0) {
      files.push_back(option);
      continue;
    }
    // Both "--option VALUE" and "--option=VALUE".
    std::string value;
    if (const std::size_t equals = option.find('='); equals != std::string::npos) {
      value = option.substr(equals + 1);
      option.resize(equals);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw EUsageError(option + " needs a value");
    }
    if (option == "--encoding") {
      if (value == "rle") {
        gif.Encoding = encRunLength;
      } else if (value == "lzw") {
        gif.Encoding = encLZW;
      } else {
        throw EUsageError("--encoding takes rle or lzw, not \"" + value + "\"");
      }
    } else if (option == "--reduction") {
      gif.Reduction = static_cast<TReductionMethod>(NumberIn(option, value, 0, 9));
    } else if (option == "--dither") {
      gif.Dither = static_cast<TDitherKind>(NumberIn(option, value, 0, 6));
    } else if (option == "--bits") {
      gif.ReductionBits = NumberIn(option, value, 1, 8);
    } else {
      throw EUsageError("unknown option " + option);
    }
    gifOptionGiven = true;
  }
  if (files.size() != 2) throw EUsageError("convert needs an input and an output file");
  request.input = files[0];
  request.output = files[1];
  const std::optional<TOutputFormat> format = OutputFormatOf(request.output);
  if (!format) throw EUsageError("the output file must end in .bmp, .gif or .jpg: " + request.output);
  request.format = *format;
  if (gifOptionGiven) {
    if (request.format != TOutputFormat::ofGIF) throw EUsageError("GIF options need a .gif output file");
    request.gif = gif;
  }
  return request;
}
