#include "ui/main/busy_indicator.h"

#include <string>

#include "ui/skin/message_dialog.h"
#include "ui/skin/skin_picture.h"

namespace talon {

BusyIndicator::BusyIndicator(MessageDialog& window, std::uint32_t timer_id,
                             const std::filesystem::path& skin_folder)
    : QLabel(&window), window_(window), timer_id_(timer_id) {
  for (int i = 0; i < kFrames; ++i) {
    const auto file = skin_folder / ("jdt" + std::to_string(i + 1) + ".bmp");
    QImage frame;
    if (LoadSkinPicture(file, frame)) frames_[i] = QPixmap::fromImage(frame);
  }
  setScaledContents(true);
  hide();
  linger_.setSingleShot(true);
  connect(&linger_, &QTimer::timeout, this, [this] { Finish(); });
}

void BusyIndicator::Begin() {
  linger_.stop();
  frame_ = 0;
  setPixmap(frames_[0]);
  show();
  raise();
  // The apply that follows blocks the window's thread: paint the first frame now.
  repaint();
  window_.SetTimer(timer_id_, kFrameMs);
}

void BusyIndicator::End() {
  linger_.start(kLingerMs);
}

void BusyIndicator::NextFrame() {
  frame_ = (frame_ + 1) % kFrames;
  setPixmap(frames_[frame_]);
}

void BusyIndicator::Finish() {
  window_.KillTimer(timer_id_);
  hide();
}

}  // namespace talon
