// RAII owners for the few OS handles the probe holds.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, auto Release, Handle Empty = Handle{}>
class TOwned {
public:
  TOwned() = default;
  explicit TOwned(Handle handle) : Value(handle) {}
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : Value(std::exchange(other.Value, Empty)) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) {
      Reset();
      Value = std::exchange(other.Value, Empty);
    }
    return *this;
  }
  ~TOwned() { Reset(); }

  Handle Get() const { return Value; }
  explicit operator bool() const { return Value != Empty; }

private:
  void Reset() {
    if (Value != Empty) Release(Value);
    Value = Empty;
  }
  Handle Value = Empty;
};

using TOwnedHandle = TOwned<HANDLE, CloseHandle>;
using TOwnedHook = TOwned<HHOOK, UnhookWindowsHookEx>;
using TOwnedModule = TOwned<HMODULE, FreeLibrary>;

class TMappedView {
public:
  explicit TMappedView(void* address) : Address(address) {}
  TMappedView(const TMappedView&) = delete;
  TMappedView& operator=(const TMappedView&) = delete;
  ~TMappedView() {
    if (Address) UnmapViewOfFile(Address);
  }
  void* Get() const { return Address; }

private:
  void* Address;
};
