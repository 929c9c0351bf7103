#pragma once

#include <filesystem>

namespace artgen {

// Writes every sound the table plays, with its file name in code page 936, into `folder`.
void WriteSounds(const std::filesystem::path& folder);

} // namespace artgen
