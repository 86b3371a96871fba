#include "ui/main/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/language.h"
#include "ui/skin/control_binding.h"

namespace talon {
namespace {

constexpr std::uint32_t kTagLang = MessageTag("LANG");
constexpr std::uint8_t kVkF1 = 0x70;

constexpr char kStyle[] = R"(
  QDialog { background: #16191f; }
  QLabel { color: #c9ced6; font-size: 10pt; }
  QLabel#title { color: #ffffff; font-size: 13pt; font-weight: 600; }
  QPushButton { background: #23272f; color: #e8ebef; border: 1px solid #343a45;
                border-radius: 6px; padding: 6px 22px; font-size: 10pt; }
  QPushButton:hover { border-color: #22c3ee; }
  QPushButton:focus { border-color: #22c3ee; }
)";

QString Html(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped();
}

}  // namespace

const MessageMap& CAboutDlg::ClassMessageMap() {
  static constexpr MessageEntry kMessages[] = {
      OnTaggedMessage<&CAboutDlg::OnLang>(kMsgLang, kTagLang)};
  static constexpr CommandEntry kCommands[] = {OnCommand<&CAboutDlg::OnOkButton>(kOkId)};
  static const MessageMap kMap{kMessages, kCommands, &MessageDialog::ClassMessageMap()};
  return kMap;
}

CAboutDlg::CAboutDlg(const Language& language, std::string link, const QString& icon,
                     std::function<void(const std::string&)> open_link, std::function<void()> help)
    : language_(language),
      link_(std::move(link)),
      open_link_(std::move(open_link)),
      help_(std::move(help)),
      link_label_(new QLabel(this)),
      description_(new QLabel(this)),
      copyright_(new QLabel(this)),
      ok_(new QPushButton(this)) {
  setStyleSheet(kStyle);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedWidth(460);

  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap(icon).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  picture->setAlignment(Qt::AlignTop);
  auto* title = new QLabel(QStringLiteral("TALON7X-DUO"), this);
  title->setObjectName("title");
  description_->setWordWrap(true);
  copyright_->setWordWrap(true);
  link_label_->setTextFormat(Qt::RichText);
  link_label_->setText(
      QStringLiteral("<a href=\"%1\" style=\"color:#22c3ee;\">%1</a>").arg(Html(link_)));
  connect(link_label_, &QLabel::linkActivated, this, [this] {
    if (open_link_) open_link_(link_);
  });
  SetControlId(*link_label_, kLinkId);
  SetControlId(*copyright_, kCopyrightId);
  SetControlId(*description_, kDescriptionId);
  BindControl(*ok_, kOkId);
  ok_->setDefault(true);

  auto* texts = new QVBoxLayout;
  texts->setSpacing(8);
  texts->addWidget(title);
  texts->addWidget(description_);
  texts->addWidget(link_label_);
  texts->addWidget(copyright_);
  auto* top = new QHBoxLayout;
  top->setSpacing(18);
  top->addWidget(picture);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(22, 22, 22, 18);
  layout->setSpacing(18);
  layout->addLayout(top);
  layout->addLayout(buttons);
}

bool CAboutDlg::Create() {
  if (open_) return false;
  open_ = true;
  Send(kMsgLang, kTagLang, language_.Index());
  show();
  raise();
  activateWindow();
  return true;
}

void CAboutDlg::Close() {
  open_ = false;
  hide();
}

void CAboutDlg::OnOkButton() {
  Close();
}

LResult CAboutDlg::OnLang(WParam, LParam index) {
  const int i = static_cast<int>(index);
  setWindowTitle(QString::fromStdString(language_.LoadText("LANG_ABOUT_TITLE", i)));
  description_->setText(QString::fromStdString(language_.LoadText("GUANYU_JIESHAO", i)));
  copyright_->setText(QString::fromStdString(language_.LoadText("GUANYU_BANQUAN", i)));
  ok_->setText(QString::fromStdString(language_.LoadText("LANG_ABOUT_OK", i)));
  adjustSize();
  return 0;
}

bool CAboutDlg::PreTranslateKey(const KeyMessage& key) {
  if (key.vk == kVkF1 && key.message == msg::kKeyDown) {
    if (help_) help_();
    return true;
  }
  return false;
}

}  // namespace talon
