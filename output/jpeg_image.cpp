#include "output/jpeg_image.h"

#include <jerror.h>

#include <cstring>
#include <new>
#include <vector>

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo's extended colour spaces are needed to feed blue-green-red rows"
#endif

namespace {

// A libjpeg destination that collects the stream in one malloc'd buffer,
// sized up front for the whole picture so it rarely has to grow; pages of it
// that the stream never reaches are never touched.
struct TMemoryDestination {
  jpeg_destination_mgr pub;
  std::uint8_t* data;  // owned by the caller, who frees it
  std::size_t capacity;
  std::size_t size;
};

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<TMemoryDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->data;
  dest->pub.free_in_buffer = dest->capacity;
}

// Called when the buffer is full: double it.
boolean GrowDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<TMemoryDestination*>(cinfo->dest);
  const std::size_t grown = dest->capacity * 2;
  void* bigger = std::realloc(dest->data, grown);
  if (bigger == nullptr) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  dest->data = static_cast<std::uint8_t*>(bigger);
  dest->pub.next_output_byte = dest->data + dest->capacity;
  dest->pub.free_in_buffer = grown - dest->capacity;
  dest->capacity = grown;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<TMemoryDestination*>(cinfo->dest);
  dest->size = dest->capacity - dest->pub.free_in_buffer;
}

// What one compression needs, as plain data.
struct TCompressJob {
  const TBitmap* image;
  // The image's rows as libjpeg takes them (blue, green, red and maybe an
  // unused fourth byte), or, when `band` is set, as TBitmap::RowAs24Bit
  // writes them into `band`, kRowsPerCall rows of 3 * width bytes.
  J_COLOR_SPACE colorSpace;
  int components;
  std::uint8_t* band;
  JDIMENSION width;
  JDIMENSION height;
  int quality;
};

constexpr JDIMENSION kRowsPerCall = 16;

struct TCompressor {
  jpeg_compress_struct cinfo;
  TJPEGErrorManager errors;
};

// Drives libjpeg from start to finish. Returns 0, or libjpeg's message code
// after an error. Only plain C objects live here, because a libjpeg error
// longjmps back to the setjmp below.
int CompressRows(TCompressor& c, const TCompressJob& job, TMemoryDestination& dest) {
  std::memset(&c.cinfo, 0, sizeof c.cinfo);
  c.cinfo.err = InstallJPEGErrorManager(c.errors);
  if (setjmp(c.errors.jump)) {
    jpeg_destroy_compress(&c.cinfo);
    return c.errors.pub.msg_code;
  }
  jpeg_create_compress(&c.cinfo);
  dest.pub.init_destination = InitDestination;
  dest.pub.empty_output_buffer = GrowDestination;
  dest.pub.term_destination = TermDestination;
  c.cinfo.dest = &dest.pub;

  c.cinfo.image_width = job.width;
  c.cinfo.image_height = job.height;
  c.cinfo.input_components = job.components;
  c.cinfo.in_color_space = job.colorSpace;
  jpeg_set_defaults(&c.cinfo);
  jpeg_set_quality(&c.cinfo, job.quality, TRUE);
  jpeg_start_compress(&c.cinfo, TRUE);

  JSAMPROW rows[kRowsPerCall];
  while (c.cinfo.next_scanline < job.height) {
    JDIMENSION count = 0;
    for (; count < kRowsPerCall && c.cinfo.next_scanline + count < job.height; ++count) {
      const int top = static_cast<int>(c.cinfo.next_scanline + count);
      if (job.band != nullptr) {
        rows[count] = job.band + count * 3 * job.width;
        job.image->RowAs24Bit(top, rows[count]);
      } else {
        // libjpeg only reads its input rows; its row type is just not const.
        rows[count] = const_cast<JSAMPROW>(job.image->Row(top));
      }
    }
    jpeg_write_scanlines(&c.cinfo, rows, count);
  }
  jpeg_finish_compress(&c.cinfo);
  jpeg_destroy_compress(&c.cinfo);
  return 0;
}

}  // namespace

void TJPEGImage::Compress() {
  static const TBitmap kNoImage;
  const TBitmap& source = source_ ? *source_ : kNoImage;
  // libjpeg-turbo reads blue, green, red pixels as RGB input directly (red
  // from the third byte), with or without a fourth byte, so 24- and plain
  // 32-bit rows go in as they are; other formats go through a band of rows
  // converted to 24 bits. Either way the result is that of a 24-bit copy,
  // and the caller's bitmap stays as it is.
  const bool plain32 = source.IsPlain32Bit();
  const auto width = static_cast<JDIMENSION>(source.Width());
  std::vector<std::uint8_t> band;
  if (!source.IsPlainTrueColor()) band.resize(std::size_t{kRowsPerCall} * 3 * width);
  const TCompressJob job{&source,
                         plain32 ? JCS_EXT_BGRX : JCS_EXT_BGR,
                         plain32 ? 4 : 3,
                         band.empty() ? nullptr : band.data(),
                         width,
                         static_cast<JDIMENSION>(source.Height()),
                         CompressionQuality};
  TMemoryDestination dest{};
  // Room for the stream of a picture of this size at 24 bits, plus the
  // headers and tables of a tiny one.
  dest.capacity = TBitmap::StrideFor(source.Width(), 24) * static_cast<std::size_t>(source.Height()) + 4096;
  dest.data = static_cast<std::uint8_t*>(std::malloc(dest.capacity));
  if (dest.data == nullptr) throw std::bad_alloc();

  TCompressor compressor;
  const int code = CompressRows(compressor, job, dest);
  data_.reset(dest.data);
  size_ = dest.size;
  if (code != 0) {
    data_.reset();
    size_ = 0;
    throw EJPEGError(code);
  }
}

void TJPEGImage::SaveToFile(const std::string& path) const {
  TFileStream file(path, TFileStream::Mode::Create);
  SaveToStream(file);
  file.Close();
}

void WriteJPEGFile(const TBitmap& image, const std::string& path) {
  TJPEGImage jpeg;
  jpeg.Assign(image);
  jpeg.CompressionQuality = 100;
  jpeg.Compress();
  jpeg.SaveToFile(path);
}
