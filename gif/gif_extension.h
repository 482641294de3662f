// Extension blocks: 0x21, a label, then the body in the GIF89a layout.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gif/gif_item.h"

class TGIFExtension : public TGIFItem {
 public:
  using TGIFItem::TGIFItem;
  virtual std::uint8_t Label() const = 0;
  void SaveToStream(TStream& stream) const final;

 protected:
  virtual void SaveBody(TStream& stream) const = 0;
  // Bytes as data sub-blocks followed by the zero-length terminator.
  static void SaveSubBlocks(TStream& stream, const std::uint8_t* data, std::size_t size);
};

class TGIFExtensionList final : public TGIFList<TGIFExtension> {};

// Delay, disposal and transparency of the frame that follows.
class TGIFGraphicControlExtension final : public TGIFExtension {
 public:
  using TGIFExtension::TGIFExtension;
  std::uint8_t Label() const override { return 0xF9; }

  std::uint8_t Disposal = 0;  // 0 .. 7
  bool UserInput = false;
  bool Transparent = false;
  std::uint16_t Delay = 0;  // hundredths of a second
  std::uint8_t TransparentColorIndex = 0;

 protected:
  void SaveBody(TStream& stream) const override;
};

// Text drawn on a character grid.
class TGIFTextExtension final : public TGIFExtension {
 public:
  using TGIFExtension::TGIFExtension;
  std::uint8_t Label() const override { return 0x01; }

  std::uint16_t Left = 0, Top = 0, GridWidth = 0, GridHeight = 0;
  std::uint8_t CharWidth = 0, CharHeight = 0, ForegroundColorIndex = 0, BackgroundColorIndex = 0;
  std::string Text;

 protected:
  void SaveBody(TStream& stream) const override;
};

class TGIFCommentExtension final : public TGIFExtension {
 public:
  using TGIFExtension::TGIFExtension;
  std::uint8_t Label() const override { return 0xFE; }
  std::string Text;

 protected:
  void SaveBody(TStream& stream) const override;
};

// An application block: an 8-character identifier, a 3-byte
// authentication code, then the application's data sub-blocks.
class TGIFApplicationExtension : public TGIFExtension {
 public:
  TGIFApplicationExtension(TGIFImage* image, std::string identifier, std::string authentication);
  std::uint8_t Label() const override { return 0xFF; }
  const std::string& Identifier() const { return identifier_; }
  const std::string& Authentication() const { return authentication_; }

 protected:
  void SaveBody(TStream& stream) const final;
  virtual std::vector<std::uint8_t> Data() const = 0;

 private:
  std::string identifier_;      // padded or cut to 8 characters
  std::string authentication_;  // padded or cut to 3 characters
};

// The animation loop count ("NETSCAPE2.0" or "ANIMEXTS1.0"); 0 loops forever.
class TGIFAppExtNSLoop final : public TGIFApplicationExtension {
 public:
  explicit TGIFAppExtNSLoop(TGIFImage* image, bool animExts = false);
  std::uint16_t Loops = 0;

 protected:
  std::vector<std::uint8_t> Data() const override;
};

// Any other application, kept as raw data.
class TGIFUnknownAppExtension final : public TGIFApplicationExtension {
 public:
  using TGIFApplicationExtension::TGIFApplicationExtension;
  std::vector<std::uint8_t> Bytes;

 protected:
  std::vector<std::uint8_t> Data() const override { return Bytes; }
};
