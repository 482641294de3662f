// The cost of ProcessPendingMessages when nothing is waiting, as the
// encoders call it once per line, against an empty loop of the same length.
#include <benchmark/benchmark.h>

#include "mail/winsock_library.h"
#include "platform/message_pump.h"
#include "platform/socket_api.h"
#include "platform/socket_message_window.h"

namespace {

void BM_EmptyLoop(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::ClobberMemory();
  }
}

void BM_PumpNothingRegistered(benchmark::State& state) {
  for (auto _ : state) {
    ProcessPendingMessages();
    benchmark::ClobberMemory();
  }
}

class TIgnoringSink : public platform::TSocketNotificationSink {
 public:
  void SocketNotification(unsigned, std::uintptr_t, std::uint32_t) override {}
};

// As during a send: one socket registered for notifications, none pending.
void BM_PumpWithWatchedSocket(benchmark::State& state) {
  TagWinsock& winsock = TagWinsock::Instance();
  winsock.Load();
  platform::TSocketApi& api = winsock.Api();
  TIgnoringSink sink;
  platform::TSocketMessageWindow window(sink);
  const auto socket = api.socket(platform::kAfInet, platform::kSockStream, 0);
  api.WSAAsyncSelect(socket, window, platform::kWmSocketEvent, platform::kFdTransportMask);
  for (auto _ : state) {
    ProcessPendingMessages();
    benchmark::ClobberMemory();
  }
  api.closesocket(socket);
}

}  // namespace

BENCHMARK(BM_EmptyLoop);
BENCHMARK(BM_PumpNothingRegistered);
BENCHMARK(BM_PumpWithWatchedSocket);

BENCHMARK_MAIN();
