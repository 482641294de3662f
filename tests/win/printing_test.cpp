// The print commands under Wine. The test prefix has no printer, so most
// cases preset the dialog's answer; those that need a real printer run when
// one is the default (the end-to-end tests run this program with their own
// CUPS queue) and are skipped otherwise.
#include "output/win/printing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "message_box_closer.h"
#include "output/win/print_bitmap.h"
#include "platform/text_to_integer.h"
#include "platform/win32/handles.h"
#include "platform/win32/print_job.h"
#include "platform/win32/printer_error.h"
#include "printer_choice.h"

namespace {

const std::wstring kTitle = L"Grabwell 2000";

// Every byte of the rows differs from its neighbours, so each pixel of any
// depth is a different value; paletted images get a table of distinct
// colours.
TBitmap Pattern(int bitsPerPixel, const TColorMasks* masks) {
  TBitmap image = TBitmap::DeviceFormat(5, 3, bitsPerPixel);
  for (std::size_t i = 0; i < image.Bits().size(); ++i) image.Bits()[i] = static_cast<std::uint8_t>(i * 37 + 11);
  for (std::size_t i = 0; i < image.ColorTable().size(); ++i) {
    const auto n = static_cast<std::uint8_t>(i);
    image.ColorTable()[i] = TRGBQuad{static_cast<std::uint8_t>(n * 7), static_cast<std::uint8_t>(255 - n),
                                     static_cast<std::uint8_t>(n * 53), 0};
  }
  if (masks != nullptr) image.SetColorMasks(*masks);
  return image;
}

// A 32-bit top-down canvas in memory, white to begin with.
class TCanvas {
 public:
  TCanvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<std::uint32_t*>(bits);
    std::fill(pixels_, pixels_ + width * height, 0x00FFFFFFu);
    select_.emplace(dc_.Get(), bitmap_.Get());
  }
  HDC Dc() const { return dc_.Get(); }
  std::uint32_t At(int x, int y) const {
    GdiFlush();
    return pixels_[y * width_ + x] & 0x00FFFFFFu;
  }

 private:
  int width_;
  win::TCreatedDC dc_;
  win::TBitmapHandle bitmap_;
  std::uint32_t* pixels_ = nullptr;
  std::optional<win::TSelectObject> select_;
};

std::uint32_t Rgb(const TRGBQuad& c) { return c.Blue | (c.Green << 8) | (c.Red << 16); }

struct TFormatCase {
  const char* name;
  int bitsPerPixel;
  const TColorMasks* masks;
};

constexpr TColorMasks kBlueHigh{0x000000FF, 0x0000FF00, 0x00FF0000};

class PrintBitmapColours : public testing::TestWithParam<TFormatCase> {};

// GDI must show each pixel in the colour the image model gives it (its
// palette, masks or plain channels), at the target place and twice the size.
TEST_P(PrintBitmapColours, MatchTheImage) {
  const TBitmap image = Pattern(GetParam().bitsPerPixel, GetParam().masks);
  TCanvas canvas(2 * image.Width() + 2, 2 * image.Height() + 2);
  PrintBitmap(canvas.Dc(), {1, 1, 1 + 2 * image.Width(), 1 + 2 * image.Height()}, image);
  for (int y = 0; y < 2 * image.Height() + 2; ++y) {
    for (int x = 0; x < 2 * image.Width() + 2; ++x) {
      const bool inside = x >= 1 && y >= 1 && x <= 2 * image.Width() && y <= 2 * image.Height();
      const std::uint32_t expected = inside ? Rgb(image.PixelColor((x - 1) / 2, (y - 1) / 2)) : 0x00FFFFFFu;
      ASSERT_EQ(canvas.At(x, y), expected) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, PrintBitmapColours,
                         testing::Values(TFormatCase{"Palette1", 1, nullptr}, TFormatCase{"Palette4", 4, nullptr},
                                         TFormatCase{"Palette8", 8, nullptr}, TFormatCase{"Rgb565", 16, &kMasks565},
                                         TFormatCase{"Rgb555", 16, &kMasks555}, TFormatCase{"Rgb24", 24, nullptr},
                                         TFormatCase{"Plain32", 32, nullptr},
                                         TFormatCase{"Masked32BlueHigh", 32, &kBlueHigh}),
                         [](const auto& info) { return std::string(info.param.name); });

// A dialog that records how often it was asked and answers with a DC on
// the screen's memory: a device that never takes a document.
struct TPresetDialog {
  int asked = 0;
  bool cancel = false;
  TPrintDialog Function() {
    return [this](HWND) -> std::optional<win::TPrinterChoice> {
      ++asked;
      if (cancel) return std::nullopt;
      return win::TPrinterChoice{win::TCreatedDC(CreateCompatibleDC(nullptr)), 1, false};
    };
  }
};

class PrintCommand : public testing::Test {
 protected:
  void SetUp() override { SetCursor(arrow_); }
  void ExpectIdle() {
    EXPECT_FALSE(win::TPrintJob::Printing());
    EXPECT_EQ(GetCursor(), arrow_) << "the hourglass stayed";
  }
  // `command` must fail with `text` and leave the program idle.
  template <typename Error, typename Command>
  void ExpectFailure(Command command, const char* text) {
    try {
      command();
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), text);
    }
    ExpectIdle();
  }
  const TBitmap image_ = Pattern(24, nullptr);
  TPresetDialog dialog_;
  HCURSOR arrow_ = LoadCursorW(nullptr, IDC_ARROW);
};

TEST_F(PrintCommand, CancelledDialogPrintsNothing) {
  dialog_.cancel = true;
  PrintItPixel(nullptr, image_, kTitle, dialog_.Function());
  PrintItFull(nullptr, image_, L"Full page", kTitle, dialog_.Function());
  EXPECT_EQ(dialog_.asked, 2);
  ExpectIdle();
}

TEST_F(PrintCommand, ScaleTextThatIsNoNumberFailsBeforeTheDocument) {
  ExpectFailure<EConvertError>([&] { PrintItFull(nullptr, image_, L" abc% ", kTitle, dialog_.Function()); },
                               "'abc' is not a valid integer value");
}

TEST_F(PrintCommand, RefusedDocumentIsReportedAndTheNextRequestWorksAgain) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    ExpectFailure<win::EPrinterError>([&] { PrintItPixel(nullptr, image_, kTitle, dialog_.Function()); },
                                      "The printer did not accept the document.");
  }
  EXPECT_EQ(dialog_.asked, 2);
}

TEST_F(PrintCommand, NoPrinterInstalledIsReported) {
  if (DefaultPrinterChoice(1, false)) GTEST_SKIP() << "a printer is installed";
  ExpectFailure<win::EPrinterError>([&] { PrintItFull(nullptr, image_, L"Full page", kTitle); },
                                    "No printer is installed.");
}

TEST_F(PrintCommand, RequestWhileOurDocumentPrintsIsRefused) {
  std::optional<win::TPrinterChoice> printer = DefaultPrinterChoice(1, false);
  if (!printer) GTEST_SKIP() << "no printer installed";
  {
    TMessageBoxCloser closer;
    win::TPrintJob job(printer->Printer.Get(), L"Grabwell busy test");
    EXPECT_TRUE(win::TPrintJob::Printing());
    PrintItPixel(nullptr, image_, kTitle, dialog_.Function());
    PrintItFull(nullptr, image_, L"Full page", kTitle, dialog_.Function());
    EXPECT_EQ(dialog_.asked, 0);
    const TShownMessage busy{L"Error", L"Other print job currently in progress."};
    EXPECT_EQ(closer.Shown(), (std::vector<TShownMessage>{busy, busy}));
  }  // the job is abandoned here, which aborts the document
  dialog_.cancel = true;
  PrintItPixel(nullptr, image_, kTitle, dialog_.Function());
  EXPECT_EQ(dialog_.asked, 1);
  ExpectIdle();
}

}  // namespace
