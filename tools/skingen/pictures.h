// Every picture of the default skin, rendered in memory and handed to the writer by file name.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "geometry.h"
#include "theme.h"

namespace talon::skingen {

// How a picture is stored. A face sheet is shifted one pixel up and left when written, because a
// button shows its sheets from (x - 1, y - 1): the face drawn at x, y then lands under it.
enum class Storage { Jpeg, FaceSheet, Bmp, Png };

struct Picture {
  QString name;  // file name inside Skins/
  QImage image;  // in window coordinates
  Storage storage = Storage::Jpeg;
};

// The window frame with its rounded outline, filled with the window colour.
void DrawWindowFrame(QPainter& p, int width, int height);
// White outside the window's rounded outline, black inside; the program cuts its shape from it.
QImage RenderMask(int width, int height);
QImage NewCanvas(int width, int height, const QColor& fill);

std::vector<Picture> MainPictures(const WindowLayout& layout);
std::vector<Picture> CompositePictures(const WindowLayout& layout);
std::vector<Picture> ProfilePictures(const WindowLayout& layout);
std::vector<Picture> PanelBitmaps();

inline constexpr int kCornerRadius = 14;

}  // namespace talon::skingen
