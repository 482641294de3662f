#include <exception>

#include "output/jpeg_image.h"
#include "output/open_image.h"
#include "output/write_bitmap_file.h"
#include "output/write_gif_file.h"
#include "tool/commands.h"
#include "tool/convert_options.h"

int ConvertCommand(const TArguments& args, std::ostream& out, std::ostream& err) {
  TConvertRequest request;
  try {
    request = ParseConvertArguments(args);
  } catch (const EUsageError& e) {
    err << "grabwell-tool: " << e.what() << "\nusage: grabwell-tool " << kConvertUsage << "\n";
    return kExitUsage;
  }
  try {
    TBitmap image = LoadImageFile(request.input);
    switch (request.format) {
      case TOutputFormat::ofBitmap:
        WriteBitmapFile(image, request.output);
        break;
      case TOutputFormat::ofJPEG:
        WriteJPEGFile(image, request.output);
        break;
      case TOutputFormat::ofGIF:
        if (request.gif) {
          WriteGIFFileWith(image, request.output, *request.gif);
        } else {
          WriteGIFFile(image, request.output);
        }
        break;
    }
  } catch (const std::exception& e) {
    err << "grabwell-tool: " << request.input << ": " << e.what() << "\n";
    return kExitFailed;
  }
  out << "wrote " << request.output << "\n";
  return kExitOK;
}
