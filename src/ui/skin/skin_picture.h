#pragma once
// Loading the skin's pictures.
#include <QImage>
#include <QImageReader>

#include <filesystem>
#include <memory>

namespace talon {

// Decodes the file (JPEG, BMP or any other format Qt reads) into `target` as a 32-bit picture;
// full-window pictures go into memory that is cheap to fill (platform/large_buffer.h). False, with
// `target` untouched, when the file is missing or unreadable or the data is not a picture; the
// program then ends (with exit code 0), so callers pass the failure on.
bool LoadSkinPicture(const std::filesystem::path& path, QImage& target);

// A reader of the picture file that can read it, or null. It is told the format that the
// file's name ends in (".jpg", ".bmp"), so it goes straight to that decoder: left to find out,
// Qt first loads every image format plugin there is (and the libraries they need) to ask each
// whether it reads the file, which costs a start tens of milliseconds. A file whose contents
// are not what its name says is still read, by that slower way.
std::unique_ptr<QImageReader> OpenSkinPicture(const std::filesystem::path& path);

}  // namespace talon
