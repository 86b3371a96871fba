#pragma once
// The busy picture beside Apply (control 1177): ten frames that cycle on the window's timer 1050
// while an apply runs, and stay about 100 ms after it, so even an instant apply is seen.
#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <filesystem>

namespace talon {

class MessageDialog;

class BusyIndicator : public QLabel {
 public:
  static constexpr int kFrames = 10;
  static constexpr int kFrameMs = 50;
  static constexpr int kLingerMs = 100;

  // Frames "jdt1.bmp".."jdt10.bmp" from the skin folder; a missing frame shows nothing.
  BusyIndicator(MessageDialog& window, std::uint32_t timer_id,
                const std::filesystem::path& skin_folder);

  // Shows the first frame at once (painted before a blocking apply) and starts the cycle.
  void Begin();
  // Keeps cycling for kLingerMs, then hides and stops the timer.
  void End();
  // The window's timer fired: the next frame.
  void NextFrame();

  int frame() const { return frame_; }

 private:
  void Finish();

  MessageDialog& window_;
  std::uint32_t timer_id_;
  std::array<QPixmap, kFrames> frames_;
  int frame_ = 0;
  QTimer linger_;
};

}  // namespace talon
