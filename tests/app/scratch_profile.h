// A settings file of its own for each test case, kept where the profile
// functions keep profiles (the Windows directory under Wine, a private
// temporary folder natively), with raw access to its bytes so that tests can
// plant damaged files and look at what was written.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/profile.h"

class TScratchProfile {
 public:
  TScratchProfile();
  ~TScratchProfile();
  TScratchProfile(const TScratchProfile&) = delete;
  TScratchProfile& operator=(const TScratchProfile&) = delete;

  const std::string& BareName() const { return bareName_; }
  std::string Path() const { return PrivateProfilePath(bareName_); }
  std::unique_ptr<TProfile> Open() const { return OpenPrivateProfile(bareName_); }

  void Plant(std::string_view bytes) const;
  std::string Contents() const;
  bool Exists() const;

 private:
  std::string bareName_;
};
