#include "mail/boundary.h"

#include <chrono>
#include <random>

#include "platform/message_pump.h"

namespace {

constexpr int kFixedReseeds = 101;
constexpr int kBoundaryDigits = 8;

std::uint32_t MillisecondOfDay() {
  using namespace std::chrono;
  const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(sinceEpoch % (24LL * 60 * 60 * 1000));
}

}  // namespace

std::string MakeBoundary(std::string_view differentFrom) {
  std::mt19937 engine;
  const auto reseed = [&engine] {
    engine.seed(MillisecondOfDay());
    ProcessPendingMessages();
  };
  for (int i = 0; i < kFixedReseeds; ++i) reseed();
  const int extraReseeds = std::uniform_int_distribution<int>(1, 30)(engine);
  for (int i = 0; i < extraReseeds; ++i) reseed();

  std::uniform_int_distribution<int> digit(0, 8);
  std::string boundary;
  do {
    boundary.clear();
    for (int i = 0; i < kBoundaryDigits; ++i) boundary += static_cast<char>('0' + digit(engine));
  } while (boundary == differentFrom);
  return boundary;
}
