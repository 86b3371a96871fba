#pragma once
// CAboutDlg: the about box, modeless, one at a time. It shows the program's web link and two
// texts (what it is, the copyright) in the current language.
#include <functional>
#include <string>

#include "ui/skin/message_dialog.h"

class QLabel;
class QPushButton;

namespace talon {

class Language;

class CAboutDlg : public MessageDialog {
 public:
  static constexpr int kTemplateId = 100;
  static constexpr int kLinkId = 1124;
  static constexpr int kCopyrightId = 1205;
  static constexpr int kDescriptionId = 1206;
  static constexpr int kOkId = 1;
  static constexpr MessageId kMsgLang = 0x5041;

  // `link`: the web address shown and opened; `icon`: the program's picture; `open_link` opens
  // a web address, `help` the help page.
  CAboutDlg(const Language& language, std::string link, const QString& icon,
            std::function<void(const std::string&)> open_link, std::function<void()> help);

  // Shows the box with its texts in the current language; false (nothing changes) while one is
  // open already.
  bool Create();
  bool IsOpen() const { return open_; }
  // OK, Cancel and the program's exit: the box goes away.
  void Close();

  bool PreTranslateKey(const KeyMessage& key) override;

 protected:
  static const MessageMap& ClassMessageMap();
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }
  void reject() override { Close(); }

 private:
  LResult OnLang(WParam w, LParam l);
  void OnOkButton();

  const Language& language_;
  std::string link_;
  std::function<void(const std::string&)> open_link_;
  std::function<void()> help_;
  QLabel* link_label_;
  QLabel* description_;
  QLabel* copyright_;
  QPushButton* ok_;
  bool open_ = false;
};

}  // namespace talon
