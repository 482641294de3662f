#include "tests/app/scratch_profile.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

unsigned ProcessId() {
#ifdef _WIN32
  return static_cast<unsigned>(GetCurrentProcessId());
#else
  return static_cast<unsigned>(getpid());
#endif
}

// Natively, profiles of this test program go to a folder of its own, removed
// when the program ends.
void UsePrivateWindowsDirectory() {
#ifndef _WIN32
  struct TPrivateFolder {
    std::filesystem::path Path =
        std::filesystem::temp_directory_path() / ("grabwell_windir_" + std::to_string(ProcessId()));
    TPrivateFolder() {
      std::filesystem::create_directories(Path);
      setenv("GRABWELL_WINDIR", Path.c_str(), 1);
    }
    ~TPrivateFolder() {
      std::error_code ignored;
      std::filesystem::remove_all(Path, ignored);
    }
  };
  static const TPrivateFolder folder;
#endif
}

// Every case gets a new name: the Windows functions cache files they have
// seen, and a rewritten file may keep its time stamp.
std::string NextBareName() {
  static std::atomic<unsigned> counter{0};
  return "GW" + std::to_string(ProcessId() % 100000) + "_" + std::to_string(++counter) + ".INI";
}

}  // namespace

TScratchProfile::TScratchProfile() : bareName_((UsePrivateWindowsDirectory(), NextBareName())) {}

TScratchProfile::~TScratchProfile() {
  std::error_code ignored;
  std::filesystem::remove(Path(), ignored);
}

void TScratchProfile::Plant(std::string_view bytes) const {
  std::ofstream file(Path(), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TScratchProfile::Contents() const {
  std::ifstream file(Path(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

bool TScratchProfile::Exists() const { return std::filesystem::exists(Path()); }
