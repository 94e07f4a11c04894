// Small picture files of known sizes for the image window: a 24-bit BMP, a 32-bit ICO,
// a GIF (LZW codes written uncompressed) and a grey baseline JPEG (DC-only blocks).
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {
namespace wintest {

inline void put16(std::string* out, uint32_t v) {
    out->push_back(static_cast<char>(v & 0xFF));
    out->push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void put32(std::string* out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline void put16_big(std::string* out, uint32_t v) {
    out->push_back(static_cast<char>((v >> 8) & 0xFF));
    out->push_back(static_cast<char>(v & 0xFF));
}

inline std::string bmp_file(int width, int height) {
    const uint32_t row = static_cast<uint32_t>((width * 3 + 3) & ~3);
    std::string out = "BM";
    put32(&out, 54 + row * static_cast<uint32_t>(height));
    put32(&out, 0);
    put32(&out, 54);
    put32(&out, 40);
    put32(&out, static_cast<uint32_t>(width));
    put32(&out, static_cast<uint32_t>(height));
    put16(&out, 1);
    put16(&out, 24);
    for (int i = 0; i < 6; ++i) put32(&out, 0);
    out.append(row * static_cast<uint32_t>(height), '\x80');
    return out;
}

inline std::string ico_file(int size) {
    const uint32_t pixels = static_cast<uint32_t>(size * size * 4);
    const uint32_t mask = static_cast<uint32_t>(((size + 31) / 32) * 4 * size);
    std::string out;
    put16(&out, 0);
    put16(&out, 1);
    put16(&out, 1);
    out.push_back(static_cast<char>(size));
    out.push_back(static_cast<char>(size));
    out.push_back(0);
    out.push_back(0);
    put16(&out, 1);
    put16(&out, 32);
    put32(&out, 40 + pixels + mask);
    put32(&out, 22);
    put32(&out, 40);
    put32(&out, static_cast<uint32_t>(size));
    put32(&out, static_cast<uint32_t>(size * 2));
    put16(&out, 1);
    put16(&out, 32);
    for (int i = 0; i < 6; ++i) put32(&out, 0);
    for (uint32_t i = 0; i < pixels / 4; ++i) out.append("\x20\x80\x20\xFF", 4);
    out.append(mask, '\0');
    return out;
}

// Two colours, minimum code size 2: a clear code before every two pixels keeps the
// codes 3 bits wide.
inline std::string gif_file(int width, int height) {
    std::string out = "GIF89a";
    put16(&out, static_cast<uint32_t>(width));
    put16(&out, static_cast<uint32_t>(height));
    out += std::string("\x80\x00\x00", 3);
    out += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
    out.push_back(',');
    put16(&out, 0);
    put16(&out, 0);
    put16(&out, static_cast<uint32_t>(width));
    put16(&out, static_cast<uint32_t>(height));
    out.push_back(0);
    out.push_back(2);
    std::string data;
    uint32_t bits = 0;
    int count = 0;
    auto code = [&](uint32_t c) {
        bits |= c << count;
        count += 3;
        while (count >= 8) {
            data.push_back(static_cast<char>(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    const int pixels = width * height;
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0) code(4);
        code(static_cast<uint32_t>(i % 2));
    }
    code(5);
    if (count > 0) data.push_back(static_cast<char>(bits & 0xFF));
    for (size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        out.push_back(static_cast<char>(block.size()));
        out += block;
    }
    out.push_back(0);
    out.push_back(';');
    return out;
}

// Width and height multiples of 8: every block is mid grey, so each holds only a DC
// difference of 0 and an end of block, both one-bit codes.
inline std::string jpeg_file(int width, int height) {
    std::string out("\xFF\xD8", 2);
    out += std::string("\xFF\xDB", 2);
    put16_big(&out, 67);
    out.push_back(0);
    out.append(64, '\x01');
    out += std::string("\xFF\xC0", 2);
    put16_big(&out, 11);
    out.push_back(8);
    put16_big(&out, static_cast<uint32_t>(height));
    put16_big(&out, static_cast<uint32_t>(width));
    out += std::string("\x01\x01\x11\x00", 4);
    for (int table : {0x00, 0x10}) {
        out += std::string("\xFF\xC4", 2);
        put16_big(&out, 2 + 1 + 16 + 1);
        out.push_back(static_cast<char>(table));
        out.push_back(1);
        out.append(15, '\0');
        out.push_back(0);
    }
    out += std::string("\xFF\xDA", 2);
    put16_big(&out, 8);
    out += std::string("\x01\x01\x00\x00\x3F\x00", 6);
    const int blocks = (width / 8) * (height / 8);
    out.append(static_cast<size_t>((blocks * 2 + 7) / 8), '\0');
    out += std::string("\xFF\xD9", 2);
    return out;
}

}  // namespace wintest
}  // namespace zorbel
