// The message layer: routing tables, tags, Send and Post across threads, timers, commands from
// bound controls and the keyboard filter.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "qt_test_app.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/keyboard_filter.h"
#include "ui/skin/message_dialog.h"

namespace talon {
namespace {

constexpr MessageId kOpenMessage = 0x5350;
constexpr MessageId kSliderMessage = 0x28D1;
constexpr MessageId kBaseOnlyMessage = 0x4753;
constexpr std::uint32_t kOpen = MessageTag("OPEN");

struct Call {
  std::string what;
  WParam w = 0;
  LParam l = 0;
  bool on_window_thread = false;
  bool operator==(const Call&) const = default;
};

class BaseTestDialog : public MessageDialog {
 public:
  std::vector<Call> calls;

  static const MessageMap& ClassMessageMap() {
    static constexpr MessageEntry kMessages[] = {
        OnMessage<&BaseTestDialog::OnBaseOnly>(kBaseOnlyMessage),
        OnMessage<&BaseTestDialog::OnBaseSlider>(kSliderMessage)};
    static const MessageMap kMap{kMessages, {}, &MessageDialog::ClassMessageMap()};
    return kMap;
  }
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

 protected:
  void Record(const char* what, WParam w = 0, LParam l = 0) {
    calls.push_back({what, w, l, QThread::currentThread() == thread()});
  }

 private:
  LResult OnBaseOnly(WParam w, LParam l) {
    Record("base-only", w, l);
    return 7;
  }
  LResult OnBaseSlider(WParam w, LParam l) {
    Record("base-slider", w, l);
    return 0;
  }
};

class TestDialog : public BaseTestDialog {
 public:
  bool swallow_enter = false;
  bool swallow_escape = false;
  bool kill_timer_in_handler = true;

  static const MessageMap& ClassMessageMap() {
    static constexpr MessageEntry kMessages[] = {
        OnTaggedMessage<&TestDialog::OnOpen>(kOpenMessage, kOpen),
        OnMessage<&TestDialog::OnSlider>(kSliderMessage),
        OnMessage<&TestDialog::OnTimer>(msg::kTimer)};
    static constexpr CommandEntry kCommands[] = {
        OnCommand<&TestDialog::OnApply>(1006), OnCommandRange<&TestDialog::OnProfile>(1135, 1137),
        OnCommand<&TestDialog::OnEffect>(1146, Notification::kSelChange),
        OnCommand<&TestDialog::OnRed>(1208, Notification::kTextChange)};
    static const MessageMap kMap{kMessages, kCommands, &BaseTestDialog::ClassMessageMap()};
    return kMap;
  }
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

  bool PreTranslateKey(const KeyMessage& key) override {
    Record(key.message == msg::kKeyDown ? "key-down" : "key-up", key.vk, key.flags);
    return (swallow_enter && key.vk == 0x0D) || (swallow_escape && key.vk == 0x1B);
  }

 private:
  LResult OnOpen(WParam w, LParam l) {
    Record("open", w, l);
    return 1;
  }
  LResult OnSlider(WParam w, LParam l) {
    Record("slider", w, l);
    return 2;
  }
  LResult OnTimer(WParam w, LParam) {
    Record("timer", w);
    if (kill_timer_in_handler) KillTimer(static_cast<std::uint32_t>(w));
    return 0;
  }
  void OnApply() { Record("apply"); }
  void OnProfile(int id) { Record("profile", static_cast<WParam>(id)); }
  void OnEffect() { Record("effect"); }
  void OnRed() { Record("red"); }
};

class MessageLayerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }
  TestDialog dialog;
};

TEST_F(MessageLayerTest, SendRoutesThroughTheTableAndItsBase) {
  struct Case {
    MessageId message;
    WParam w;
    LParam l;
    LResult result;
    const char* handler;  // nullptr: nothing runs
  };
  const Case cases[] = {
      {kOpenMessage, kOpen, 0, 1, "open"},
      {kOpenMessage, MessageTag("KILL"), 0, 0, nullptr},  // wrong tag: ignored
      {kOpenMessage, 0, 0, 0, nullptr},
      {kSliderMessage, 1178, 4, 2, "slider"},  // the derived entry hides the base's
      {kBaseOnlyMessage, 0, 0, 7, "base-only"},
      {0x1234, 1, 2, 0, nullptr},
      {msg::kCommand, MakeCommandWParam(1006, Notification::kClicked), 0, 0, "apply"},
      {msg::kCommand, MakeCommandWParam(1006, Notification::kSelChange), 0, 0, nullptr},
      {msg::kCommand, MakeCommandWParam(1136, Notification::kClicked), 0, 0, "profile"},
      {msg::kCommand, MakeCommandWParam(1138, Notification::kClicked), 0, 0, nullptr},
  };
  for (const Case& c : cases) {
    dialog.calls.clear();
    EXPECT_EQ(dialog.Send(c.message, c.w, c.l), c.result) << std::hex << c.message;
    if (c.handler == nullptr) {
      EXPECT_TRUE(dialog.calls.empty()) << std::hex << c.message << " " << c.w;
    } else {
      ASSERT_EQ(dialog.calls.size(), 1u) << c.handler;
      EXPECT_EQ(dialog.calls[0].what, c.handler);
    }
  }
  dialog.calls.clear();
  dialog.Send(msg::kCommand, MakeCommandWParam(1137, Notification::kClicked));
  EXPECT_EQ(dialog.calls.at(0).w, 1137u);  // a range handler learns which control it was
}

TEST_F(MessageLayerTest, TagsAreMultiCharacterConstants) {
  EXPECT_EQ(MessageTag("OPEN"), 0x4F50454Eu);
  EXPECT_EQ(MessageTag("KILL"), 0x4B494C4Cu);
  EXPECT_EQ(MessageTag("LED"), 0x004C4544u);
}

TEST_F(MessageLayerTest, PostIsQueuedAndRunsOnTheWindowThread) {
  dialog.Post(kSliderMessage, 1179, 3);
  EXPECT_TRUE(dialog.calls.empty());
  std::thread poster([this] { dialog.Post(kOpenMessage, kOpen, 0); });
  poster.join();
  ASSERT_TRUE(test::SpinUntil([&] { return dialog.calls.size() == 2; }));
  EXPECT_EQ(dialog.calls[0], (Call{"slider", 1179, 3, true}));
  EXPECT_EQ(dialog.calls[1], (Call{"open", kOpen, 0, true}));
}

TEST_F(MessageLayerTest, SendFromAnotherThreadBlocksUntilHandled) {
  std::atomic<LResult> result{-1};
  std::atomic<bool> done{false};
  std::thread sender([&] {
    result = dialog.Send(kSliderMessage, 1178, 5);
    done = true;
  });
  // The sender waits for this thread's event loop.
  QThread::msleep(50);
  EXPECT_FALSE(done.load());
  ASSERT_TRUE(test::SpinUntil([&] { return done.load(); }));
  sender.join();
  EXPECT_EQ(result.load(), 2);
  ASSERT_EQ(dialog.calls.size(), 1u);
  EXPECT_EQ(dialog.calls[0], (Call{"slider", 1178, 5, true}));
}

TEST_F(MessageLayerTest, SendToAWindowDestroyedBeforeHandlingReturnsZero) {
  auto* doomed = new TestDialog;
  std::atomic<LResult> result{-1};
  std::thread sender([&] { result = doomed->Send(kSliderMessage, 1, 1); });
  QThread::msleep(50);
  delete doomed;  // its pending calls are dropped and the sender released
  sender.join();
  EXPECT_EQ(result.load(), 0);
}

TEST_F(MessageLayerTest, AbandonedSendsReleaseTheirSenders) {
  // A sender blocked on a window that will not handle it any more (the window is closing and
  // waits for the sender's thread) gets 0 instead of waiting for ever.
  std::atomic<LResult> blocked{-1};
  std::thread sender([&] { blocked = dialog.Send(kSliderMessage, 1, 1); });
  QThread::msleep(30);
  dialog.AbandonSends();
  sender.join();
  EXPECT_EQ(blocked.load(), 0);
  // Later sends from other threads return at once; the queued one is never handled.
  std::thread late([&] { blocked = dialog.Send(kSliderMessage, 2, 2); });
  late.join();
  EXPECT_EQ(blocked.load(), 0);
  test::Spin(20);
  EXPECT_TRUE(dialog.calls.empty());
  // The window's own thread still runs its messages.
  EXPECT_EQ(dialog.Send(kSliderMessage, 3, 3), 2);
}

TEST_F(MessageLayerTest, TimerRestartsReuseOneTimerAndReportRunningToAnyThread) {
  dialog.kill_timer_in_handler = false;
  dialog.SetTimer(1052, 1000);
  const auto timers_before = dialog.findChildren<QTimer*>().size();
  for (int i = 0; i < 20; ++i) {
    dialog.KillTimer(1052);
    dialog.SetTimer(1052, 1000);
  }
  test::Spin(10);
  EXPECT_EQ(dialog.findChildren<QTimer*>().size(), timers_before);
  std::atomic<bool> running_seen{false};
  std::thread reader([&] { running_seen = dialog.IsTimerRunning(1052); });
  reader.join();
  EXPECT_TRUE(running_seen.load());
  dialog.KillTimer(1052);
  EXPECT_FALSE(dialog.IsTimerRunning(1052));
}

TEST_F(MessageLayerTest, TimersDeliverTheirIds) {
  dialog.SetTimer(1051, 0);  // once: the handler kills it
  dialog.kill_timer_in_handler = true;
  ASSERT_TRUE(test::SpinUntil([&] { return !dialog.calls.empty(); }));
  test::Spin(30);
  ASSERT_EQ(dialog.calls.size(), 1u);
  EXPECT_EQ(dialog.calls[0].what, "timer");
  EXPECT_EQ(dialog.calls[0].w, 1051u);
  EXPECT_FALSE(dialog.IsTimerRunning(1051));

  dialog.calls.clear();
  dialog.kill_timer_in_handler = false;
  std::thread setter([this] { dialog.SetTimer(1052, 5); });
  setter.join();
  ASSERT_TRUE(test::SpinUntil([&] { return dialog.calls.size() >= 3; }));
  dialog.KillTimer(1052);
  const std::size_t seen = dialog.calls.size();
  test::Spin(30);
  EXPECT_EQ(dialog.calls.size(), seen);
  for (const Call& c : dialog.calls) EXPECT_EQ(c.w, 1052u);
}

TEST_F(MessageLayerTest, BoundControlsSendCommands) {
  auto* apply = new QPushButton(&dialog);
  auto* effect = new QComboBox(&dialog);
  auto* red = new QLineEdit(&dialog);
  auto* unbound = new QPushButton(&dialog);
  BindControl(*apply, 1006);
  BindControl(*effect, 1146);
  BindControl(*red, 1208);
  effect->addItems({"one", "two"});
  effect->setCurrentIndex(1);  // the program's own change is no command
  EXPECT_TRUE(dialog.calls.empty());

  apply->click();
  unbound->click();
  emit effect->activated(0);
  red->setText("12");
  std::vector<std::string> seen;
  for (const Call& c : dialog.calls) seen.push_back(c.what);
  EXPECT_EQ(seen, (std::vector<std::string>{"apply", "effect", "red"}));
  EXPECT_EQ(ControlIdOf(*effect), 1146);
  EXPECT_EQ(dialog.Control(1146), effect);
  EXPECT_EQ(dialog.ControlAs<QLineEdit>(1208), red);
  EXPECT_EQ(dialog.ControlAs<QLineEdit>(1006), nullptr);
  EXPECT_EQ(dialog.Control(4242), nullptr);
}

TEST_F(MessageLayerTest, KeyboardFilterSwallowsBeforeWidgetsAndHooksComeFirst) {
  auto* edit = new QLineEdit(&dialog);
  dialog.show();
  edit->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  dialog.swallow_enter = true;
  bool returned = false;
  QObject::connect(edit, &QLineEdit::returnPressed, edit, [&] { returned = true; });

  QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
  EXPECT_FALSE(returned);
  ASSERT_GE(dialog.calls.size(), 1u);
  EXPECT_EQ(dialog.calls[0].what, "key-down");
  EXPECT_EQ(dialog.calls[0].w, 0x0Du);
  EXPECT_EQ(dialog.calls[0].l, 0x001C0001);  // scan code 0x1C, one press
  EXPECT_EQ(dialog.calls[1].what, "key-up");
  EXPECT_EQ(static_cast<std::uint32_t>(dialog.calls[1].l), 0xC01C0001u);

  QTest::keyClick(dialog.windowHandle(), Qt::Key_A);
  EXPECT_EQ(edit->text(), "a");

  std::vector<std::pair<std::uint8_t, std::uint32_t>> hooked;
  const int handle = KeyboardFilter::Instance().InstallHook([&](std::uint8_t vk, std::uint32_t f) {
    hooked.emplace_back(vk, f);
    return vk == 0x42;  // swallow B
  });
  dialog.calls.clear();
  QTest::keyClick(dialog.windowHandle(), Qt::Key_B);
  QTest::keyClick(dialog.windowHandle(), Qt::Key_Home, Qt::KeypadModifier);
  EXPECT_EQ(edit->text(), "a");
  ASSERT_EQ(hooked.size(), 4u);
  EXPECT_EQ(hooked[0], std::make_pair(std::uint8_t{0x42}, std::uint32_t{0x00300001}));
  // Keypad 7 with Num Lock off: VK_HOME with the keypad's unextended scan code.
  EXPECT_EQ(hooked[2], std::make_pair(std::uint8_t{0x24}, std::uint32_t{0x00470001}));
  // The swallowed B never reached the dialog's filter; Home did.
  ASSERT_EQ(dialog.calls.size(), 2u);
  EXPECT_EQ(dialog.calls[0].w, 0x24u);
  EXPECT_TRUE(KeyboardFilter::Instance().RemoveHook(handle));
  EXPECT_FALSE(KeyboardFilter::Instance().RemoveHook(handle));
  QTest::keyClick(dialog.windowHandle(), Qt::Key_B);
  EXPECT_EQ(edit->text(), "ba");  // Home moved the cursor
}

TEST_F(MessageLayerTest, ADialogsKeysNeverReachTheWindowUnderIt) {
  TestDialog child;
  child.setParent(&dialog, Qt::Dialog);
  dialog.swallow_escape = true;
  dialog.show();
  child.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&child));
  QTest::keyClick(child.windowHandle(), Qt::Key_Escape);
  EXPECT_TRUE(dialog.calls.empty());
  ASSERT_EQ(child.calls.size(), 2u);
  EXPECT_EQ(child.calls[0].w, 0x1Bu);
  EXPECT_FALSE(child.isVisible());  // not swallowed: the dialog's own Escape closed it
}

TEST_F(MessageLayerTest, AnOpenPopupTakesEnterAndEscapeBeforeItsDialog) {
  // A drop-down's list takes Enter and Escape before any key press is delivered (as a shortcut
  // override); a menu, like other pop-ups, only from the key press itself.
  auto* combo = new QComboBox(&dialog);
  combo->addItems({"one", "two", "three"});
  QMenu menu(&dialog);
  QAction* first = menu.addAction("first");
  QAction* second = menu.addAction("second");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  dialog.swallow_enter = true;
  dialog.swallow_escape = true;

  combo->showPopup();
  QWidget* list = combo->view()->window();
  ASSERT_TRUE(test::SpinUntil([&] { return list->isVisible(); }));
  QTest::keyClick(list->windowHandle(), Qt::Key_Down);
  QTest::keyClick(list->windowHandle(), Qt::Key_Return);
  EXPECT_TRUE(test::SpinUntil([&] { return !list->isVisible(); }));
  EXPECT_EQ(combo->currentIndex(), 1);

  QAction* triggered = nullptr;
  QObject::connect(&menu, &QMenu::triggered, &menu, [&](QAction* a) { triggered = a; });
  menu.popup(dialog.mapToGlobal(QPoint(10, 10)));
  ASSERT_TRUE(test::SpinUntil([&] { return menu.isVisible(); }));
  menu.setActiveAction(first);
  QTest::keyClick(menu.windowHandle(), Qt::Key_Down);
  QTest::keyClick(menu.windowHandle(), Qt::Key_Return);
  EXPECT_TRUE(test::SpinUntil([&] { return !menu.isVisible(); }));
  EXPECT_EQ(triggered, second);

  triggered = nullptr;
  menu.popup(dialog.mapToGlobal(QPoint(10, 10)));
  ASSERT_TRUE(test::SpinUntil([&] { return menu.isVisible(); }));
  QTest::keyClick(menu.windowHandle(), Qt::Key_Escape);
  EXPECT_TRUE(test::SpinUntil([&] { return !menu.isVisible(); }));
  EXPECT_EQ(triggered, nullptr);
  // The dialog's filter never saw the pop-ups' keys.
  for (const Call& call : dialog.calls) EXPECT_NE(call.what, "key-down");
}

}  // namespace
}  // namespace talon
