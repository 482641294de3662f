// TCaptureSettings: every user setting, read from the settings file once at
// start-up and written back whole. The record is the single source of truth
// while the program runs; the four "Last..." fields live only for the run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "capture/shape_kinds.h"

class TProfile;

// Handed to the profile functions as a bare name: the file lives in the
// Windows directory, shared by all users of the machine.
inline constexpr char kSettingsFileName[] = "GRBWEL.INI";

// Colours are Windows colour references, 0x00BBGGRR.
struct TPlainShapeSettings {
  std::int32_t ShapeColor = 0;
  std::int32_t BorderColor = 0;
  bool UseBorder = false;
};

struct TStarSettings {
  std::int32_t Vector = 0;
  std::int32_t VectorSize = 0;
  std::int32_t ShapeColor = 0;
  std::int32_t BorderColor = 0;
  bool UseBorder = false;
};

struct TPolygonSettings {
  std::int32_t Vector = 0;
  std::int32_t VectorSize = 0;
  std::int32_t Angle = 0;
  std::int32_t Color = 0;
  std::int32_t BorderColor = 0;
  bool UseBorder = false;
};

inline constexpr std::size_t kPlainShapeCount = kPlainShapePrefixes.size();
inline constexpr std::size_t kPolygonCount = kPolygonPrefixes.size();

struct TCaptureSettings {
  bool FirstTime = false;
  std::int32_t WhatToCap = 0;   // a TWhatToCap
  std::int32_t Shape = 0;       // a TShapeKind
  std::int32_t Action = 0;      // a TDefaultAction
  std::int32_t CaptureKey = 0;  // a hot-key number
  // RoundRect, RoundSquare, Ellipse, Circle, TriUp, TriDown, TriLeft, TriRight, Diamond.
  std::array<TPlainShapeSettings, kPlainShapeCount> PlainShapes{};
  TStarSettings Star{};
  std::array<TPolygonSettings, kPolygonCount> Polygons{};  // Poly1 .. Poly5
  std::string SMTPHost;
  std::int32_t SMTPPort = 0;
  std::string EMailName;
  std::string EMailAddress;
  std::int32_t AttachmentEncoding = 0;  // 0 MIME, 1 UUEncode
  std::string EMailFile;
  // Transient: filled by the e-mail dialog, never stored in the file.
  std::string LastToName;
  std::string LastToAddress;
  std::string LastSubject;
  std::string LastMessage;
};

// The process-wide record.
extern TCaptureSettings CaptureSettings;

// Reads every key, applying its default where the key or the whole file is
// absent, and empties the transient fields. Never fails: damaged values read
// by the text rules of the settings file. Values outside their range (a hot
// key, capture kind, shape, action or encoding) are kept as read and written
// back so; each consumer decides what such a value means.
void LoadSettings(const TProfile& profile, TCaptureSettings& settings);

// Writes every key in order, stopping at the first write that fails (the
// file could not be created or replaced): then returns false and the caller
// decides whether to say so.
bool SaveSettings(TProfile& profile, const TCaptureSettings& settings);

// The process-wide record from and to kSettingsFileName in the Windows
// directory.
void LoadSettings();
bool SaveSettings();

// The mask, border and vertex settings a shaped capture of `kind` uses.
TShapeStyle ShapeStyleFor(const TCaptureSettings& settings, TShapeKind kind);
