#include "gif/gif_extension.h"

#include <utility>

#include "gif/gif_writer.h"

namespace {

void WriteWord(TStream& stream, std::uint16_t value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  stream.Write(bytes, 2);
}

std::string Fixed(std::string text, std::size_t size) {
  text.resize(size, ' ');
  return text;
}

}  // namespace

void TGIFExtension::SaveToStream(TStream& stream) const {
  stream.WriteByte(0x21);
  stream.WriteByte(Label());
  SaveBody(stream);
}

void TGIFExtension::SaveSubBlocks(TStream& stream, const std::uint8_t* data, std::size_t size) {
  TGIFWriter writer(stream);
  writer.Write(data, size);
  writer.Close();
  stream.WriteByte(0);
}

void TGIFGraphicControlExtension::SaveBody(TStream& stream) const {
  stream.WriteByte(4);
  stream.WriteByte(static_cast<std::uint8_t>((Disposal & 7) << 2 | (UserInput ? 2 : 0) | (Transparent ? 1 : 0)));
  WriteWord(stream, Delay);
  stream.WriteByte(TransparentColorIndex);
  stream.WriteByte(0);
}

void TGIFTextExtension::SaveBody(TStream& stream) const {
  stream.WriteByte(12);
  for (std::uint16_t word : {Left, Top, GridWidth, GridHeight}) WriteWord(stream, word);
  const std::uint8_t cells[4] = {CharWidth, CharHeight, ForegroundColorIndex, BackgroundColorIndex};
  stream.Write(cells, 4);
  SaveSubBlocks(stream, reinterpret_cast<const std::uint8_t*>(Text.data()), Text.size());
}

void TGIFCommentExtension::SaveBody(TStream& stream) const {
  SaveSubBlocks(stream, reinterpret_cast<const std::uint8_t*>(Text.data()), Text.size());
}

TGIFApplicationExtension::TGIFApplicationExtension(TGIFImage* image, std::string identifier,
                                                   std::string authentication)
    : TGIFExtension(image),
      identifier_(Fixed(std::move(identifier), 8)),
      authentication_(Fixed(std::move(authentication), 3)) {}

void TGIFApplicationExtension::SaveBody(TStream& stream) const {
  stream.WriteByte(11);
  stream.Write(identifier_);
  stream.Write(authentication_);
  const std::vector<std::uint8_t> data = Data();
  SaveSubBlocks(stream, data.data(), data.size());
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFImage* image, bool animExts)
    : TGIFApplicationExtension(image, animExts ? "ANIMEXTS" : "NETSCAPE", animExts ? "1.0" : "2.0") {}

std::vector<std::uint8_t> TGIFAppExtNSLoop::Data() const {
  return {1, static_cast<std::uint8_t>(Loops), static_cast<std::uint8_t>(Loops >> 8)};
}
