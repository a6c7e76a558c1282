// picture_jpeg.cpp - JPEG reading and writing through libjpeg-turbo.
//
// Reading: baseline and progressive, grey, YCbCr, RGB, CMYK and YCCK. Corrupt data that
// libjpeg would merely warn about (a file cut short, a lost marker) fails the load
// instead of giving a half-grey picture. At most kMaxScans scans are taken, so that a
// hostile progressive file cannot make the decoder run for ever, and libjpeg's working
// memory is capped.
//
// Writing, two flavours:
//   JFIF (format 10): baseline, optimised Huffman tables, 4:4:4 chroma.
//   ".bkg" (format 20): progressive JFIF with optimised Huffman tables and 4:2:0
//     chroma: several times smaller than a baseline file of the same look, slower to
//     decode. It is an ordinary progressive JPEG, so any JPEG reader reads it.
// Quality values: 0 the default (85; 90 for ".bkg"), 1 and 2 the best (95; 90 for
// ".bkg", whose point is size), larger values lower the quality step by step down to 5
// at 255.
#include "picture_codecs.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr int kMaxScans = 200;
constexpr long kMaxWorkingMemory = 1024L * 1024L * 1024L;

struct ErrorTrap {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

void FailJpeg(j_common_ptr cinfo) {
  ErrorTrap* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
  std::longjmp(trap->jump, 1);
}

// Warnings about damaged data end the load; harmless ones are ignored.
void JpegMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  switch (cinfo->err->msg_code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_ADOBE_XFORM:
    case JWRN_JFIF_MAJOR:
    case JWRN_BOGUS_ICC:
      return;
    default:
      FailJpeg(cinfo);
  }
}

void OutputNothing(j_common_ptr) {}

void CheckScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor) {
    j_decompress_ptr dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > kMaxScans) FailJpeg(cinfo);
  }
}

void SetUpErrors(ErrorTrap& trap) {
  jpeg_std_error(&trap.manager);
  trap.manager.error_exit = FailJpeg;
  trap.manager.emit_message = JpegMessage;
  trap.manager.output_message = OutputNothing;
}

int32_t QualityFor(int32_t quality, bool bkg) {
  int32_t best = bkg ? 90 : 95;
  if (quality == 0) return bkg ? 90 : 85;
  if (quality <= 2) return best;
  if (quality > 255) quality = 255;
  int32_t q = 95 - (quality - 2) * 90 / 253;
  if (q > best) q = best;
  return q < 5 ? 5 : q;
}

}  // namespace

bool ReadJpegInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  if (size < 4 || size > ~0UL) return false;
  ErrorTrap trap;
  jpeg_decompress_struct cinfo;
  SetUpErrors(trap);
  cinfo.err = &trap.manager;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);
  info.width = int32_t(cinfo.image_width);
  info.height = int32_t(cinfo.image_height);
  info.bitsPerPixel = cinfo.num_components == 1 ? 8 : 24;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool DecodeJpeg(const uint8_t* data, size_t size, Picture& picture) {
  if (size < 4 || size > ~0UL) return false;
  ErrorTrap trap;
  jpeg_decompress_struct cinfo;
  jpeg_progress_mgr progress;
  SetUpErrors(trap);
  cinfo.err = &trap.manager;
  // Kept outside the jump so that a failure can free it.
  JSAMPLE* volatile cmykRow = nullptr;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(cmykRow);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxWorkingMemory;
  progress.progress_monitor = CheckScans;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, data, (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);
  if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height)) FailJpeg((j_common_ptr)&cinfo);
  bool grey = cinfo.num_components == 1;
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&cinfo);
  if (!AllocatePicturePixels(picture, cinfo.output_width, cinfo.output_height, grey ? 8 : 24))
    FailJpeg((j_common_ptr)&cinfo);
  if (grey) {
    picture.colourCount = 256;
    for (int i = 0; i < 256; ++i)
      picture.colours[size_t(i)] = PictureColour{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  }
  if (cmyk) {
    cmykRow = static_cast<JSAMPLE*>(std::malloc(size_t(cinfo.output_width) * 4));
    if (cmykRow == nullptr) FailJpeg((j_common_ptr)&cinfo);
  }
  // Adobe writes CMYK inverted; files without its marker are taken as plain.
  bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    JDIMENSION y = cinfo.output_scanline;
    uint8_t* row = PictureRow(picture, int32_t(y));
    if (cmyk) {
      JSAMPROW rows[1] = {cmykRow};
      jpeg_read_scanlines(&cinfo, rows, 1);
      for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
        int c = cmykRow[4 * x], m = cmykRow[4 * x + 1], yl = cmykRow[4 * x + 2],
            k = cmykRow[4 * x + 3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          yl = 255 - yl;
          k = 255 - k;
        }
        row[3 * x] = uint8_t(yl * k / 255);
        row[3 * x + 1] = uint8_t(m * k / 255);
        row[3 * x + 2] = uint8_t(c * k / 255);
      }
    } else {
      JSAMPROW rows[1] = {row};
      jpeg_read_scanlines(&cinfo, rows, 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(cmykRow);
  return true;
}

bool EncodeJpeg(const Picture& picture, int32_t quality, bool progressive,
                std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel <= 8) return false;
  ErrorTrap trap;
  jpeg_compress_struct cinfo;
  SetUpErrors(trap);
  cinfo.err = &trap.manager;
  unsigned char* volatile buffer = nullptr;
  unsigned long length = 0;
  if (setjmp(trap.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return false;
  }
  jpeg_create_compress(&cinfo);
  unsigned char* target = nullptr;
  jpeg_mem_dest(&cinfo, &target, &length);
  cinfo.image_width = JDIMENSION(picture.width);
  cinfo.image_height = JDIMENSION(picture.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, QualityFor(quality, progressive), TRUE);
  cinfo.optimize_coding = TRUE;
  cinfo.dct_method = JDCT_ISLOW;
  int sampling = progressive ? 2 : 1;
  cinfo.comp_info[0].h_samp_factor = sampling;
  cinfo.comp_info[0].v_samp_factor = sampling;
  for (int c = 1; c < 3; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  buffer = target;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {const_cast<JSAMPLE*>(PictureRow(picture, int32_t(cinfo.next_scanline)))};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  buffer = target;
  out.insert(out.end(), target, target + length);
  jpeg_destroy_compress(&cinfo);
  std::free(target);
  return true;
}
