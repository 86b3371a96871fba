#pragma once

#include <QImage>
#include <vector>

#include "pictures.h"

namespace talon::skingen {

QImage RenderPreview(const std::vector<Picture>& pictures, int mainW, int mainH);

}  // namespace talon::skingen
