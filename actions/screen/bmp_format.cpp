#include "actions/screen/bmp_format.h"

namespace zorbel {

namespace {

void put16(std::string* out, uint32_t value) {
    for (int i = 0; i < 2; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void put32(std::string* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

uint32_t bmp_row_size(int32_t width, uint32_t bits) {
    const uint32_t w = width < 0 ? 0u : static_cast<uint32_t>(width);
    return (w * bits + 31) / 32 * 4;
}

uint32_t bmp_image_size(int32_t width, int32_t height, uint32_t bits) {
    const uint32_t rows = static_cast<uint32_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    return bmp_row_size(width, bits) * rows;
}

std::string bmp_file_header(uint32_t image_size, uint32_t pixel_offset) {
    std::string out = "BM";
    put32(&out, image_size + pixel_offset);
    put16(&out, 0);
    put16(&out, 0);
    put32(&out, pixel_offset);
    return out;
}

std::string encode_bmp(const PixelBuffer& pixels, uint32_t bits) {
    if (bits != 32) bits = 24;
    const uint32_t image_size = bmp_image_size(pixels.width, pixels.height, bits);
    std::string out = bmp_file_header(image_size);
    put32(&out, kBmpInfoHeaderSize);
    put32(&out, static_cast<uint32_t>(pixels.width));
    put32(&out, static_cast<uint32_t>(pixels.height));  // positive: bottom row first
    put16(&out, 1);                                     // planes
    put16(&out, bits);
    put32(&out, 0);  // BI_RGB
    put32(&out, image_size);
    put32(&out, 2835);  // 72 dots per inch
    put32(&out, 2835);
    put32(&out, 0);
    put32(&out, 0);
    const uint32_t padding = bmp_row_size(pixels.width, bits) - static_cast<uint32_t>(pixels.width) * (bits / 8);
    for (int32_t y = pixels.height - 1; y >= 0; --y) {
        const uint32_t* row = pixels.row(y);
        for (int32_t x = 0; x < pixels.width; ++x) {
            out.push_back(static_cast<char>(blue_of(row[x])));
            out.push_back(static_cast<char>(green_of(row[x])));
            out.push_back(static_cast<char>(red_of(row[x])));
            if (bits == 32) out.push_back(0);
        }
        out.append(padding, '\0');
    }
    return out;
}

}  // namespace zorbel
