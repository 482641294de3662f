// What the main window's radio buttons stand for: the kind of capture
// ("What To Cap") and the action offered after it ("Action").
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum TWhatToCap : std::int32_t {
  wcScreen = 0,
  wcWindow = 1,
  wcClientArea = 2,
  wcRectangle = 3,
  wcShape = 4,  // the shape is the TShapeKind in "Shape"
};

enum TDefaultAction : std::int32_t {
  daSaveBitmap = 0,
  daSaveGIF = 1,
  daSaveJPEG = 2,
  daPrintPixels = 3,
  daPrintFull = 4,
  daCopyToClipboard = 5,
  daEMail = 6,
};

inline constexpr std::size_t kDefaultActionCount = 7;

constexpr bool IsWhatToCap(std::int32_t value) { return value >= wcScreen && value <= wcShape; }
constexpr bool IsDefaultAction(std::int32_t value) { return value >= daSaveBitmap && value <= daEMail; }

// The configuration dialog's list of actions, indexed by TDefaultAction.
inline constexpr std::array<std::string_view, kDefaultActionCount> ActionNames = {
    "Save As Bitmap",    "Save As GIF",      "Save As JPEG", "Print In Pixels", "Print Full Page or % of Size",
    "Copy To Clipboard", "E-Mail The Image",
};
