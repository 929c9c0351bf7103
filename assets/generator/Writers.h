#pragma once

#include "Art.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// File formats the generator writes: PNG pictures (straight RGBA or RGB), Windows colour cursors and
// 16-bit PCM wave files, plus the conversion of file names to the code page the table builds paths in.
namespace artgen {

void WritePng(const std::filesystem::path& path, const Picture& picture);

// A .cur file with one 32-bit image (BGRA with its AND mask) and the hot spot at (0, 0).
void WriteCursor(const std::filesystem::path& path, const Picture& picture);

// A 24-bit bottom-up .bmp in which every pixel less than half covered is magenta (#FF00FF), the colour a
// reader keys out as transparent; the others are written opaque in their own colour.
void WriteKeyedBmp(const std::filesystem::path& path, const Picture& picture);

// Mono 16-bit PCM.
void WriteWave(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate);

// UTF-8 to code page 936 bytes; throws when a character has no GBK code.
std::string Utf8ToGbk(std::string_view utf8);

// Writes only when the content differs, so that unchanged outputs keep their time stamps.
void WriteFileIfChanged(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace artgen
