// Any bytes as a settings file: lookups must not fail, and a value just set
// must be what the next lookup finds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/posix/ini_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (std::string_view key : {"SMTP Host", "First Time", "k"}) (void)FindIniValue(text, "EMail", key);
  const std::string updated = SetIniValue(text, "Misc", "First Time", "No");
  if (FindIniValue(updated, "Misc", "First Time") != "No") std::abort();
  return 0;
}
