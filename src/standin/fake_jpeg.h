#pragma once
// Real JPEG files of a chosen size for the stand-in: a 1x1 baseline picture padded with
// comment segments of bytes drawn from `seed`, so that every photo differs.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvelin::standin {

// A decodable JPEG of exactly `size` bytes (or the smallest such file when `size` is less).
std::string MakeFakeJpeg(std::size_t size, std::uint32_t seed);

}  // namespace tarvelin::standin
