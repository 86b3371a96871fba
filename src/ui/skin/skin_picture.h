#pragma once
// Loading the skin's pictures.
#include <QImage>

#include <filesystem>

namespace talon {

// Decodes the file (JPEG, BMP or any other format Qt reads) into `target` as a 32-bit picture;
// full-window pictures go into memory that is cheap to fill (platform/large_buffer.h). False, with
// `target` untouched, when the file is missing or unreadable or the data is not a picture; the
// program then ends (with exit code 0), so callers pass the failure on.
bool LoadSkinPicture(const std::filesystem::path& path, QImage& target);

}  // namespace talon
