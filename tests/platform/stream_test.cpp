#include "platform/stream.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

TEST(Stream, FileRoundTripAndSeek) {
  const std::string path = TempPath("grabwell_stream_test.bin");
  {
    TFileStream file(path, TFileStream::Mode::Create);
    file.Write("hello, world");
    EXPECT_EQ(file.Size(), 12u);
    file.SetPosition(7);
    file.Write("WORLD");
    file.SetPosition(0);
    char head[5];
    file.ReadBuffer(head, 5);
    EXPECT_EQ(std::string(head, 5), "hello");
  }
  const auto bytes = ReadWholeFile(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "hello, WORLD");
  std::filesystem::remove(path);
}

TEST(Stream, ErrorsCarryTheFrameworkTexts) {
  const std::string missing = TempPath("no_such_dir_grabwell/x.bin");
  try {
    TFileStream file(missing, TFileStream::Mode::Create);
    FAIL() << "created a file in a missing folder";
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + missing);
  }
  EXPECT_THROW(ReadWholeFile(missing), EStreamError);

  TMemoryStream memory(std::vector<std::uint8_t>{1, 2, 3});
  std::uint8_t four[4];
  EXPECT_THROW(memory.ReadBuffer(four, 4), EStreamError);
}

TEST(Stream, CopyFromTakesTheRestOfTheSource) {
  TMemoryStream source(std::vector<std::uint8_t>(200000, 7));
  source.SetPosition(100);
  TMemoryStream target;
  target.CopyFrom(source);
  EXPECT_EQ(target.Size(), 199900u);
}

}  // namespace
