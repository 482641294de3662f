// RAII owners for every Windows handle the program holds. Each owner closes
// or releases its handle exactly once, in its destructor; owners move but do
// not copy. A null (or INVALID_HANDLE_VALUE, for kernel objects) handle means
// "nothing owned".
#pragma once

#include <windows.h>

#include <utility>

namespace win {

// One owner template for handles released by a single function call.
template <typename Handle, typename Traits>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(Handle handle) : handle_(handle) {}
  ~TUniqueHandle() { Reset(); }

  TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }

  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    Handle old = std::exchange(handle_, handle);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct TKernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

// Handles whose "nothing" is null, released by one function.
template <typename Handle, auto CloseFunction>
struct TNullHandleTraits {
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { CloseFunction(h); }
};

// Kernel objects: file mappings, mutexes, files.
using TKernelHandle = TUniqueHandle<HANDLE, TKernelHandleTraits>;
using TFileMapping = TKernelHandle;
using TMutex = TKernelHandle;
// A library loaded with LoadLibrary.
using TModule = TUniqueHandle<HMODULE, TNullHandleTraits<HMODULE, &FreeLibrary>>;
using TIcon = TUniqueHandle<HICON, TNullHandleTraits<HICON, &DestroyIcon>>;
// A menu that is not attached to a window (a pop-up menu); destroying it
// destroys its submenus too.
using TMenu = TUniqueHandle<HMENU, TNullHandleTraits<HMENU, &DestroyMenu>>;
using TWindowHandle = TUniqueHandle<HWND, TNullHandleTraits<HWND, &DestroyWindow>>;
using TBitmapHandle = TUniqueHandle<HBITMAP, TNullHandleTraits<HBITMAP, &DeleteObject>>;
using TPen = TUniqueHandle<HPEN, TNullHandleTraits<HPEN, &DeleteObject>>;
using TBrush = TUniqueHandle<HBRUSH, TNullHandleTraits<HBRUSH, &DeleteObject>>;
using TPalette = TUniqueHandle<HPALETTE, TNullHandleTraits<HPALETTE, &DeleteObject>>;
using TFont = TUniqueHandle<HFONT, TNullHandleTraits<HFONT, &DeleteObject>>;
// A DC made with CreateDC or CreateCompatibleDC.
using TCreatedDC = TUniqueHandle<HDC, TNullHandleTraits<HDC, &DeleteDC>>;
// Memory from GlobalAlloc, such as the printer settings a print dialog returns.
using TGlobalMemory = TUniqueHandle<HGLOBAL, TNullHandleTraits<HGLOBAL, &GlobalFree>>;
// A view made with MapViewOfFile.
using TMappedView = TUniqueHandle<void*, TNullHandleTraits<void*, &UnmapViewOfFile>>;

// A DC obtained with GetDC (or GetWindowDC) and given back with ReleaseDC.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of this object and puts
// the previous selection back in its destructor, so that no object is ever
// deleted while still selected.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~TSelectObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

  // False when the selection failed (nothing to restore then).
  explicit operator bool() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects a palette into a DC and restores the previous one.
class TSelectPalette {
 public:
  TSelectPalette(HDC dc, HPALETTE palette, bool force_background)
      : dc_(dc), previous_(SelectPalette(dc, palette, force_background)) {}
  ~TSelectPalette() {
    if (previous_ != nullptr) SelectPalette(dc_, previous_, FALSE);
  }
  TSelectPalette(const TSelectPalette&) = delete;
  TSelectPalette& operator=(const TSelectPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// A registered window class, unregistered in the destructor.
class TWindowClass {
 public:
  explicit TWindowClass(const WNDCLASSEXW& description)
      : instance_(description.hInstance), name_(description.lpszClassName), atom_(RegisterClassExW(&description)) {}
  ~TWindowClass() {
    if (atom_ != 0) UnregisterClassW(name_, instance_);
  }
  TWindowClass(const TWindowClass&) = delete;
  TWindowClass& operator=(const TWindowClass&) = delete;

  const wchar_t* Name() const { return name_; }
  explicit operator bool() const { return atom_ != 0; }

 private:
  HINSTANCE instance_;
  const wchar_t* name_;
  ATOM atom_;
};

}  // namespace win
