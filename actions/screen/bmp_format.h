// The layout of BMP files: the 14-byte file header, the 40-byte info header and the
// pixel rows, bottom row first, each row padded to whole 32-bit words.
#pragma once
#include <cstdint>
#include <string>

#include "actions/screen/pixel_buffer.h"

namespace zorbel {

constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpInfoHeaderSize = 40;
constexpr uint32_t kBmpPixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;  // 54

// Bytes in one stored row of `width` pixels of `bits` bits each, padding included.
uint32_t bmp_row_size(int32_t width, uint32_t bits);
// Bytes of the pixel rows of a `width` x |`height`| image.
uint32_t bmp_image_size(int32_t width, int32_t height, uint32_t bits);

// The file header: "BM", the file size (image size + pixel offset), two reserved
// zero words and the offset of the pixel rows.
std::string bmp_file_header(uint32_t image_size, uint32_t pixel_offset = kBmpPixelOffset);

// A whole BMP file holding `pixels` with 24 or 32 bits per pixel, bottom row first,
// no compression and no colour table. Writes the test and benchmark images.
std::string encode_bmp(const PixelBuffer& pixels, uint32_t bits = 24);

}  // namespace zorbel
