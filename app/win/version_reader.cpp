#include "app/win/version_reader.h"

#include "platform/win32/text.h"
#include "platform/win32/version_resource.h"

void ReadVersionInfo(TVersionInfo& info, const std::wstring& file) {
  win::TVersionResource resource;
  if (!resource.Read(file)) return;
  TVersionStrings strings;
  const std::wstring table = win::Widen(kVersionStringTable);
  for (const TVersionStringKey& key : kVersionStringKeys) {
    if (auto value = resource.StringValue(table + win::Widen(key.Name))) strings.*key.Field = win::Narrow(*value);
  }
  info.Assign(strings);
}
