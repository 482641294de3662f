#include "platform/content_type.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace {

#ifdef _WIN32
// Wine's registry has no "Content Type" values; Windows has them for the
// image types. The fixture adds the missing ones to HKEY_CLASSES_ROOT and
// removes what it added.
class ContentTypeRegistry : public testing::Environment {
 public:
  void SetUp() override {
    Ensure(L".bmp", L"image/bmp");
    Ensure(L".gif", L"image/gif");
    Ensure(L".jpg", L"image/jpeg");
  }
  void TearDown() override {
    for (const auto& extension : added_) RegDeleteKeyW(HKEY_CLASSES_ROOT, extension.c_str());
  }

 private:
  void Ensure(const wchar_t* extension, const wchar_t* contentType) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, extension, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
      return;
    }
    if (RegQueryValueExW(key, L"Content Type", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      const auto bytes = static_cast<DWORD>((wcslen(contentType) + 1) * sizeof(wchar_t));
      RegSetValueExW(key, L"Content Type", 0, REG_SZ, reinterpret_cast<const BYTE*>(contentType), bytes);
      if (disposition == REG_CREATED_NEW_KEY) added_.push_back(extension);
    }
    RegCloseKey(key);
  }

  std::vector<std::wstring> added_;
};

const auto* const registry = testing::AddGlobalTestEnvironment(new ContentTypeRegistry);
#endif

struct TContentTypeCase {
  const char* fileName;
  const char* contentType;
};

class ContentTypeForFileTest : public testing::TestWithParam<TContentTypeCase> {};

TEST_P(ContentTypeForFileTest, Lookup) { EXPECT_EQ(ContentTypeForFile(GetParam().fileName), GetParam().contentType); }

INSTANTIATE_TEST_SUITE_P(Files, ContentTypeForFileTest,
                         testing::Values(TContentTypeCase{"capture.bmp", "image/bmp"},
                                         TContentTypeCase{"capture.gif", "image/gif"},
                                         TContentTypeCase{"capture.jpg", "image/jpeg"},
                                         TContentTypeCase{"C:\\Program Files\\Grabwell\\CAPTURE.BMP", "image/bmp"},
                                         TContentTypeCase{"/tmp/shot.v2.gif", "image/gif"},
                                         TContentTypeCase{"capture.grabwell-unknown", "application/octet-stream"},
                                         TContentTypeCase{"capture", "application/octet-stream"},
                                         TContentTypeCase{"capture.", "application/octet-stream"},
                                         TContentTypeCase{"folder.bmp\\capture", "application/octet-stream"},
                                         TContentTypeCase{"", "application/octet-stream"}));

}  // namespace
