#include "app/main_win_faces.h"

#include "app/capture_kinds.h"
#include "capture/shape_kinds.h"

namespace {

constexpr std::string_view kCaptureCaption = "&Capture";
constexpr std::string_view kPrintCaption = "&Print";
constexpr std::string_view kSaveCaption = "&Save";
constexpr std::string_view kCopyCaption = "Co&py";
constexpr std::string_view kEMailCaption = "&EMail It";

TFaceRadio CaptureRadioFor(int whatToCap) {
  switch (whatToCap) {
    case wcScreen:
      return TFaceRadio::CapScreen;
    case wcWindow:
      return TFaceRadio::CapWindow;
    case wcClientArea:
      return TFaceRadio::CapClient;
    case wcRectangle:
      return TFaceRadio::CapArea;
    default:
      return TFaceRadio::CapShape;
  }
}

TFaceRadio SaveRadioFor(int action) {
  switch (action) {
    case daSaveBitmap:
      return TFaceRadio::SaveBit;
    case daSaveGIF:
      return TFaceRadio::SaveGIF;
    case daSaveJPEG:
      return TFaceRadio::SaveJPEG;
    default:
      return TFaceRadio::None;
  }
}

}  // namespace

std::optional<TFace> FaceFor(int mode, int whatToCap, int shape, int action) {
  switch (mode) {
    case smCapture: {
      const int index = shape - kFirstShapeKind;
      const bool listed = index >= 0 && index < static_cast<int>(kShapeKindCount);
      return TFace{true, kCaptureCaption, CaptureRadioFor(whatToCap), listed ? index : -1};
    }
    case smPrint:
      return TFace{false, kPrintCaption, action == daPrintPixels ? TFaceRadio::PrintPixel : TFaceRadio::PrintFilled};
    case smSave:
      return TFace{false, kSaveCaption, SaveRadioFor(action)};
    case smCopy:
      return TFace{false, kCopyCaption, TFaceRadio::CopyClip};
    case smEMail:
      return TFace{false, kEMailCaption, TFaceRadio::EMailIt};
    default:
      return std::nullopt;
  }
}

TScreenMode FinishFaceFor(int action) {
  switch (action) {
    case daEMail:
      return smEMail;
    case daCopyToClipboard:
      return smCopy;
    case daPrintPixels:
    case daPrintFull:
      return smPrint;
    default:
      return smSave;
  }
}

std::string_view DoItCaptionFor(TFaceRadio radio) {
  switch (radio) {
    case TFaceRadio::SaveBit:
    case TFaceRadio::SaveGIF:
    case TFaceRadio::SaveJPEG:
      return kSaveCaption;
    case TFaceRadio::PrintPixel:
    case TFaceRadio::PrintFilled:
      return kPrintCaption;
    case TFaceRadio::CopyClip:
      return kCopyCaption;
    case TFaceRadio::EMailIt:
      return kEMailCaption;
    default:
      return {};
  }
}

int CaptureKindFor(TFaceRadio checked, int shapeIndex, int previous) {
  switch (checked) {
    case TFaceRadio::CapScreen:
      return 0;
    case TFaceRadio::CapWindow:
      return 1;
    case TFaceRadio::CapClient:
      return 2;
    case TFaceRadio::CapArea:
      return skRectangle;
    case TFaceRadio::CapShape:
      return shapeIndex >= 0 ? shapeIndex + kFirstShapeKind : skRectangle;
    default:
      return previous;
  }
}

double PauseSecondsFor(int kind) { return kind <= 2 ? 0.3 : 0.2; }
