#include "standin/fake_jpeg.h"

#include <algorithm>

namespace tarvelin::standin {
namespace {

// A grey 1x1 baseline JPEG: JFIF header, one quantisation table, one-symbol Huffman tables,
// and a single all-zero block.
// clang-format off
const unsigned char kHead[] = {
    0xFF, 0xD8,                                                        // SOI
    0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 1, 1, 0, 0, 1, 0, 1, 0, 0};  // APP0
const unsigned char kDqtHead[] = {0xFF, 0xDB, 0x00, 0x43, 0x00};
const unsigned char kTail[] = {
    0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x01, 0x00, 0x01, 0x01, 0x01, 0x11, 0x00,  // SOF0
    0xFF, 0xC4, 0x00, 0x14, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // DHT DC
    0xFF, 0xC4, 0x00, 0x14, 0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // DHT AC
    0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,  // SOS
    0x3F,                                                        // DC 0, end of block
    0xFF, 0xD9};                                                 // EOI
// clang-format on

constexpr std::size_t kSegmentMax = 65535;  // largest segment length field (it counts itself)

}  // namespace

std::string MakeFakeJpeg(std::size_t size, std::uint32_t seed) {
  std::string picture(reinterpret_cast<const char*>(kHead), sizeof kHead);
  const std::size_t fixed = sizeof kHead + sizeof kDqtHead + 64 + sizeof kTail;
  std::uint32_t state = seed * 2654435761u + 1;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<char>(state >> 24);
  };
  // Comment segments of seeded bytes fill the file up to `size`.
  std::size_t missing = size > fixed ? size - fixed : 0;
  missing = std::max<std::size_t>(missing, 4 + 4);
  while (missing > 0) {
    std::size_t segment = std::min(missing, kSegmentMax + 2);
    if (missing - segment > 0 && missing - segment < 4) segment -= 4;  // leave room for one more
    const std::size_t length = segment - 2;
    picture += static_cast<char>(0xFF);
    picture += static_cast<char>(0xFE);
    picture += static_cast<char>(length >> 8);
    picture += static_cast<char>(length & 0xFF);
    for (std::size_t i = 0; i + 2 < length; ++i) picture += next();
    missing -= segment;
  }
  picture.append(reinterpret_cast<const char*>(kDqtHead), sizeof kDqtHead);
  picture.append(64, '\x01');
  picture.append(reinterpret_cast<const char*>(kTail), sizeof kTail);
  return picture;
}

}  // namespace tarvelin::standin
