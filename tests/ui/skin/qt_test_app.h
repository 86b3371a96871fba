#pragma once
// The one QApplication of a test process (offscreen), and small event-loop helpers.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace talon::test {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "talon-ui-test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt objects of static tests may outlive main.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

// Runs the event loop until `done` or the timeout; returns `done()`.
inline bool SpinUntil(const std::function<bool()>& done, int timeout_ms = 2000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeout_ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return done();
}

inline void Spin(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace talon::test
