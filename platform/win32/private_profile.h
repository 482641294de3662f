// The Windows private-profile functions behind TProfile. The file name is
// handed to them as given; a bare name puts the file in the Windows directory.
#pragma once

#include <string>

#include "platform/profile.h"

class TPrivateProfile final : public TProfile {
 public:
  explicit TPrivateProfile(std::wstring fileName) : fileName_(std::move(fileName)) {}

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferSize) const override;

 private:
  bool WriteLine(std::string_view section, std::string_view key, std::string_view value) override;

  std::wstring fileName_;
};
