#include "app/capture_settings.h"

#include <string_view>

#include "app/capture_kinds.h"
#include "hook/hot_keys.h"
#include "platform/profile.h"
#include "platform/text_to_integer.h"

TCaptureSettings CaptureSettings;

namespace {

// Numbers and Yes/No arrive in a 15-character buffer, texts in a 250-character
// one; both sizes count the terminator. Texts are then cut to 50 characters.
constexpr std::size_t kNumberBufferSize = 15;
constexpr std::size_t kTextBufferSize = 250;
constexpr std::size_t kMaxTextLength = 50;

constexpr std::string_view kEMail = "EMail";
constexpr std::string_view kMisc = "Misc";
constexpr std::string_view kCapture = "Capture";

constexpr std::string_view kWhite = "16777215";
constexpr std::string_view kBlack = "0";
constexpr std::string_view kYes = "Yes";

struct TPolygonDefaults {
  std::string_view Vector;
  std::string_view VectorSize;
  std::string_view Angle;
  std::string_view Color;
};

constexpr TPolygonDefaults kPolygons[kPolygonCount] = {
    {"12", "48", "198", "32896"},   {"10", "19", "90", "4194432"}, {"5", "38", "234", "8421440"},
    {"9", "50", "249", "16776960"}, {"52", "22", "90", "0"},
};

std::string Key(std::string_view prefix, std::string_view suffix) { return std::string(prefix).append(suffix); }

// Every key of the file with its field and default, in the order the keys
// are read and written. `access` is a TReader or a TWriter.
template <class Settings, class Access>
void VisitKeys(Settings& s, Access& access) {
  access.Text(kEMail, "SMTP Host", s.SMTPHost, "");
  access.Text(kEMail, "EMail Name", s.EMailName, "");
  access.Text(kEMail, "EMail Address", s.EMailAddress, "");
  access.Integer(kEMail, "SMTP Port", s.SMTPPort, "25");
  access.Integer(kEMail, "Attachment Encoding", s.AttachmentEncoding, "0");
  access.Text(kEMail, "EMail File", s.EMailFile, "capture.bmp");

  access.Integer(kMisc, "What To Cap", s.WhatToCap, "0");
  access.Integer(kMisc, "Shape", s.Shape, "0");
  access.Integer(kMisc, "Action", s.Action, "0");
  access.Boolean(kMisc, "First Time", s.FirstTime, kYes);

  access.Integer(kCapture, "Capture Key", s.CaptureKey, "44");
  for (std::size_t i = 0; i < kPlainShapeCount; ++i) {
    const std::string_view prefix = kPlainShapePrefixes[i];
    auto& shape = s.PlainShapes[i];
    access.Integer(kCapture, Key(prefix, " Shape Color"), shape.ShapeColor, kWhite);
    access.Integer(kCapture, Key(prefix, " Border Color"), shape.BorderColor, kBlack);
    access.Boolean(kCapture, Key(prefix, " Use Border"), shape.UseBorder, kYes);
  }
  access.Integer(kCapture, "Star Vector", s.Star.Vector, "10");
  access.Integer(kCapture, "Star Vector Size", s.Star.VectorSize, "56");
  access.Integer(kCapture, "Star Shape Color", s.Star.ShapeColor, kWhite);
  access.Integer(kCapture, "Star Border Color", s.Star.BorderColor, kBlack);
  access.Boolean(kCapture, "Star Use Border", s.Star.UseBorder, kYes);
  for (std::size_t i = 0; i < kPolygonCount; ++i) {
    const std::string_view prefix = kPolygonPrefixes[i];
    const TPolygonDefaults& defaults = kPolygons[i];
    auto& polygon = s.Polygons[i];
    access.Integer(kCapture, Key(prefix, " Vector"), polygon.Vector, defaults.Vector);
    access.Integer(kCapture, Key(prefix, " Vector Size"), polygon.VectorSize, defaults.VectorSize);
    access.Integer(kCapture, Key(prefix, " Angle"), polygon.Angle, defaults.Angle);
    access.Integer(kCapture, Key(prefix, " Color"), polygon.Color, defaults.Color);
    access.Integer(kCapture, Key(prefix, " Border Color"), polygon.BorderColor, kBlack);
    access.Boolean(kCapture, Key(prefix, " Use Border"), polygon.UseBorder, kYes);
  }
}

bool IsYes(std::string_view text) {
  if (text.size() != 3) return false;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return upper(text[0]) == 'Y' && upper(text[1]) == 'E' && upper(text[2]) == 'S';
}

class TReader {
 public:
  explicit TReader(const TProfile& profile) : profile_(profile) {}

  void Text(std::string_view section, std::string_view key, std::string& field, std::string_view fallback) {
    field = CutToCharacters(profile_.ReadString(section, key, fallback, kTextBufferSize), kMaxTextLength);
  }
  void Integer(std::string_view section, std::string_view key, std::int32_t& field, std::string_view fallback) {
    field = TextToInteger(profile_.ReadString(section, key, fallback, kNumberBufferSize));
  }
  void Boolean(std::string_view section, std::string_view key, bool& field, std::string_view fallback) {
    field = IsYes(profile_.ReadString(section, key, fallback, kNumberBufferSize));
  }

 private:
  const TProfile& profile_;
};

class TWriter {
 public:
  explicit TWriter(TProfile& profile) : profile_(profile) {}

  void Text(std::string_view section, std::string_view key, const std::string& field, std::string_view) {
    Write(section, key, field);
  }
  void Integer(std::string_view section, std::string_view key, const std::int32_t& field, std::string_view) {
    Write(section, key, std::to_string(field));
  }
  void Boolean(std::string_view section, std::string_view key, const bool& field, std::string_view) {
    Write(section, key, field ? "Yes" : "No");
  }

  bool AllWritten() const { return allWritten_; }

 private:
  // After the first failure the rest would fail the same way; stopping there
  // also keeps the system's reason for that failure as the last error.
  void Write(std::string_view section, std::string_view key, std::string_view value) {
    if (allWritten_ && !profile_.WriteString(section, key, value)) allWritten_ = false;
  }

  TProfile& profile_;
  bool allWritten_ = true;
};

}  // namespace

void LoadSettings(const TProfile& profile, TCaptureSettings& settings) {
  TReader reader(profile);
  VisitKeys(settings, reader);
  settings.LastToName.clear();
  settings.LastToAddress.clear();
  settings.LastSubject.clear();
  settings.LastMessage.clear();
}

bool SaveSettings(TProfile& profile, const TCaptureSettings& settings) {
  TWriter writer(profile);
  VisitKeys(settings, writer);
  return writer.AllWritten();
}

void LoadSettings() { LoadSettings(*OpenPrivateProfile(kSettingsFileName), CaptureSettings); }

bool SaveSettings() { return SaveSettings(*OpenPrivateProfile(kSettingsFileName), CaptureSettings); }

TShapeStyle ShapeStyleFor(const TCaptureSettings& settings, TShapeKind kind) {
  TShapeStyle style;
  const TShapeSettingsEntry entry = ShapeSettingsEntry(kind);
  switch (entry.Family) {
    case TShapeSettingsFamily::None:
      // The square is cut with a black mask and no border; the rectangle is not cut at all.
      style.HasMask = kind == skSquare;
      break;
    case TShapeSettingsFamily::Plain: {
      const TPlainShapeSettings& shape = settings.PlainShapes[entry.Index];
      style = {true, shape.ShapeColor, shape.UseBorder, shape.BorderColor};
      break;
    }
    case TShapeSettingsFamily::Star:
      style = {true,
               settings.Star.ShapeColor,
               settings.Star.UseBorder,
               settings.Star.BorderColor,
               settings.Star.Vector,
               settings.Star.VectorSize,
               90};
      break;
    case TShapeSettingsFamily::Polygon: {
      const TPolygonSettings& polygon = settings.Polygons[entry.Index];
      style = {true,           polygon.Color,      polygon.UseBorder, polygon.BorderColor,
               polygon.Vector, polygon.VectorSize, polygon.Angle};
      break;
    }
  }
  return style;
}
