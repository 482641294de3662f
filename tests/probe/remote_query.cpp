#include "tests/probe/remote_query.h"

#include "tests/probe/win_handles.h"

namespace {

constexpr std::uint32_t kNoAnswer = 0xFFFFFFFFu;
constexpr UINT kAnswerTimeoutMs = 3000;

// probe_hook.dll is installed beside the probe.
std::wstring HookLibraryPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring folder(path, length);
  const auto slash = folder.find_last_of(L"\\/");
  folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return folder + L"probe_hook.dll";
}

}  // namespace

std::optional<std::string> QueryInsideOwner(HWND window, TProbeQuery query) {
  TOwnedHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          kProbeReplyCapacity, kProbeReplyMapping));
  if (!mapping) return std::nullopt;
  TMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, kProbeReplyCapacity));
  if (!view.Get()) return std::nullopt;
  auto* reply = static_cast<volatile TProbeReply*>(view.Get());
  reply->Length = kNoAnswer;

  const std::wstring libraryPath = HookLibraryPath();
  TOwnedModule library(LoadLibraryW(libraryPath.c_str()));
  if (!library) return std::nullopt;
  auto* procedure =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library.Get(), kProbeHookProcName)));
  if (!procedure) return std::nullopt;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0) return std::nullopt;
  // Declared after the library so that the hook is removed before the
  // library is unloaded.
  TOwnedHook hook(SetWindowsHookExW(WH_CALLWNDPROC, procedure, library.Get(), thread));
  if (!hook) return std::nullopt;

  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, RegisterWindowMessageW(kProbeQueryMessage), static_cast<WPARAM>(query),
                      0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored);
  const std::uint32_t length = reply->Length;
  if (length == kNoAnswer || length > kProbeReplyTextCapacity) return std::nullopt;
  return std::string(const_cast<const char*>(reply->Text), length);
}
