#pragma once

#include <array>
#include <string>

namespace morvane {

// The chat's faces: face n (0 … 89) is written "/" and n in three digits; its name shows in the preview.
inline constexpr int kFaceCount = 90;
const std::array<const char*, kFaceCount>& FaceNames();
// "/000" … "/089"; empty outside the table.
std::string FaceCode(int face);

} // namespace morvane
