#include "capture/win/selection_overlay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_pixels.h"
#include "capture/win/screen_shot.h"
#include "capture/win/shaped_cut.h"
#include "platform/win32/window.h"
#include "recorder_window.h"

namespace {

// A topmost window over the whole screen showing Pattern(), so that the
// screen's pixels are known and every trace of the overlay shows.
class TPatternWindow : public win::TWindow {
 public:
  TPatternWindow() : pixels_(Pattern(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) {
    static const win::TWindowClass window_class(win::TWindow::ClassDescription(L"GrabwellTestPattern"));
    win::TWindowParams params;
    params.class_name = window_class.Name();
    params.style = WS_POPUP | WS_VISIBLE;
    params.ex_style = WS_EX_TOPMOST;
    params.x = 0;
    params.y = 0;
    params.width = pixels_.Width;
    params.height = pixels_.Height;
    CreateHandle(params);
    UpdateWindow(Handle());
    PumpMessagesFor(std::chrono::milliseconds(200));
  }
  const TPixels& Pixels() const { return pixels_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return Default(message, wparam, lparam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), pixels_.Width, -pixels_.Height, 1, 32, BI_RGB};
    std::vector<COLORREF> dib;
    for (COLORREF c : pixels_.Values) dib.push_back(RGB(GetBValue(c), GetGValue(c), GetRValue(c)));
    SetDIBitsToDevice(dc, 0, 0, pixels_.Width, pixels_.Height, 0, 0, 0, pixels_.Height, dib.data(), &info,
                      DIB_RGB_COLORS);
    EndPaint(Handle(), &paint);
    return 0;
  }

 private:
  TPixels pixels_;
};

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

int CountDifferences(const TPixels& a, const TPixels& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.Values.size(); ++i) count += a.Values[i] != b.Values[i];
  return count;
}

enum TEvent { Wait, Press, Drag, Toggle };
struct TStep {
  TEvent Event;
  POINT Point;
};

struct TTraceCase {
  const char* Name;
  TShapeKind Kind;
  POINT Start;
  std::vector<TStep> Steps;
  POINT Release;
  RECT Final;
};

void RunSteps(TSelectionOverlay& overlay, const std::vector<TStep>& steps) {
  for (const TStep& step : steps) {
    if (step.Event == Wait) overlay.WaitMove(step.Point.x, step.Point.y);
    if (step.Event == Press) overlay.Press(step.Point.x, step.Point.y);
    if (step.Event == Drag) overlay.Drag(step.Point.x, step.Point.y);
    if (step.Event == Toggle) overlay.ToggleMoveMode();
  }
}

class OverlayTraces : public testing::TestWithParam<TTraceCase> {
 protected:
  TPatternWindow pattern_;
};

TEST_P(OverlayTraces, ShowWhileSelectingAndVanishOnRelease) {
  const TTraceCase& c = GetParam();
  const TPixels before = ReadScreen(Screen());
  ASSERT_EQ(before.Values, pattern_.Pixels().Values) << "the pattern window is not on the screen";
  TSelectionOverlay overlay(c.Kind, {true, 0, false, 0, 10, 56, 90});
  overlay.WaitStart(c.Start);
  RunSteps(overlay, c.Steps);
  const TPixels during = ReadScreen(Screen());
  EXPECT_GT(CountDifferences(before, during), 0);
  const RECT final = overlay.Release(c.Release.x, c.Release.y);
  EXPECT_TRUE(EqualRect(&final, &c.Final));
  const TPixels after = ReadScreen(Screen());
  EXPECT_EQ(CountDifferences(before, after), 0);
}

const RECT kScreen = Screen();

INSTANTIATE_TEST_SUITE_P(
    Table, OverlayTraces,
    testing::Values(TTraceCase{"RectangleAcrossTheAnchor",
                               skRectangle,
                               {90, 90},
                               {{Wait, {100, 100}}, {Press, {100, 100}}, {Drag, {300, 250}}, {Drag, {40, 160}}},
                               {40, 160},
                               {40, 100, 100, 160}},
                    TTraceCase{
                        "EllipseMovedKeepsItsSize",
                        skEllipse,
                        {200, 200},
                        {{Press, {200, 200}}, {Drag, {250, 230}}, {Toggle, {}}, {Drag, {400, 300}}, {Drag, {420, 310}}},
                        {420, 310},
                        {370, 280, 420, 310}},
                    // The size banner of a narrow selection at the left edge starts off the screen.
                    TTraceCase{"BannerPastTheLeftEdge",
                               skTriangleUp,
                               {2, 100},
                               {{Press, {2, 100}}, {Drag, {6, 140}}},
                               {6, 140},
                               {2, 100, 6, 140}},
                    TTraceCase{"WaitingBannerPastTheBottomRight",
                               skStar,
                               {kScreen.right - 30, kScreen.bottom - 20},
                               {{Wait, {kScreen.right - 60, kScreen.bottom - 15}}},
                               {kScreen.right - 60, kScreen.bottom - 15},
                               {kScreen.right - 60, kScreen.bottom - 15, kScreen.right - 60, kScreen.bottom - 15}},
                    TTraceCase{"PolygonBeyondTheScreen",
                               skPolygon1,
                               {0, 0},
                               {{Press, {kScreen.right - 50, kScreen.bottom - 60}},
                                {Drag, {kScreen.right + 40, kScreen.bottom + 30}}},
                               {kScreen.right + 40, kScreen.bottom + 30},
                               {kScreen.right - 50, kScreen.bottom - 60, kScreen.right + 40, kScreen.bottom + 30}}),
    [](const testing::TestParamInfo<TTraceCase>& info) { return std::string(info.param.Name); });

TEST(Overlay, DestroyedBeforeTheReleaseErasesItsTraces) {
  TPatternWindow pattern;
  const TPixels before = ReadScreen(Screen());
  {
    TSelectionOverlay overlay(skRoundedSquare, {});
    overlay.WaitStart({100, 100});
    overlay.Press(100, 100);
    overlay.Drag(180, 160);
  }
  EXPECT_EQ(CountDifferences(before, ReadScreen(Screen())), 0);
}

TEST(Overlay, WaitingBannerIsWhiteOnBlackRightOfAndBelowTheCursor) {
  TPatternWindow pattern;
  const RECT left_of_banner{100, 105, 120, 125};
  const TPixels before = ReadScreen(left_of_banner);
  TSelectionOverlay overlay(skRectangle, {});
  overlay.WaitStart({100, 100});
  int black = 0, white = 0;
  for (COLORREF c : ReadScreen({120, 105, 200, 125}).Values) {
    black += c == RGB(0, 0, 0);
    white += c == RGB(255, 255, 255);
  }
  EXPECT_GT(black, white);
  EXPECT_GT(white, 0);
  EXPECT_EQ(ReadScreen(left_of_banner).Values, before.Values);
}

// What the selection ends in: a rectangle across the screen's top-left
// corner keeps the screen's pixels where the screen is and is black past it.
TEST(Overlay, ScreenShotPastTheScreenEdgeIsBlackThere) {
  TPatternWindow pattern;
  TCaptureBitmap capture;
  ScreenShot({-30, -20, 50, 40}, capture);
  const TPixels shot = ReadBitmap(capture.Bitmap, 80, 60);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x) {
      const COLORREF expected = x < 30 || y < 20 ? RGB(0, 0, 0) : pattern.Pixels().At(x - 30, y - 20);
      ASSERT_EQ(shot.At(x, y), expected) << x << "," << y;
    }
  }
}

// The process's GDI objects in use. Where the system does not count them
// (Wine answers 0), the room left is counted instead, by making brushes until
// none can be made: its negative grows with every object in use.
long GdiObjects() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); count != 0) return count;
  std::vector<win::TBrush> brushes;
  while (brushes.size() < 200000) {
    win::TBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    if (!brush) break;
    brushes.push_back(std::move(brush));
  }
  return -static_cast<long>(brushes.size());
}

// One selection as the main window runs it, with the cut that follows.
void SelectAndCut(int i) {
  const TShapeStyle style{true, 0, true, 255, 10, 56, 90};
  auto overlay = std::make_unique<TSelectionOverlay>(skStar, style);
  overlay->WaitStart({300, 300});
  overlay->WaitMove(310, 305);
  overlay->Press(310, 305);
  overlay->Drag(350 + i % 7, 340);
  overlay->ToggleMoveMode();
  overlay->Drag(360, 350);
  const RECT r = overlay->Release(360, 350);
  overlay.reset();
  TCaptureBitmap capture;
  ScreenShot(r, capture);
  CutShape(capture.Bitmap, capture.Width, capture.Height, skStar, style);
  const TBitmap current = std::move(capture.Image);
}

TEST(Overlay, AThousandSelectionsFreeEveryGdiObject) {
  TPatternWindow pattern;
  // The system keeps a few objects of its own once drawing has started.
  for (int i = 0; i < 10; ++i) SelectAndCut(i);
  const long before = GdiObjects();
  for (int i = 0; i < 1000; ++i) SelectAndCut(i);
  EXPECT_EQ(GdiObjects(), before);
}

}  // namespace
