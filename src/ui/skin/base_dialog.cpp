#include "ui/skin/base_dialog.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include "ui/skin/outline_region.h"
#include "ui/skin/skin_picture.h"

namespace talon {

namespace {
constexpr ColorRef kOutlineKey = Rgb(255, 255, 255);
constexpr std::uint8_t kVkF1 = 0x70;
}  // namespace

const MessageMap& CBaseDialog::ClassMessageMap() {
  static constexpr MessageEntry kMessages[] = {OnMessage<&CBaseDialog::OnHelpMessage>(msg::kHelp)};
  static constexpr CommandEntry kCommands[] = {OnCommand<&CBaseDialog::OnOK>(kIdOk),
                                               OnCommand<&CBaseDialog::OnCancel>(kIdCancel)};
  static const MessageMap kMap{kMessages, kCommands, &MessageDialog::ClassMessageMap()};
  return kMap;
}

LResult CBaseDialog::OnHelpMessage(WParam, LParam) {
  OnHelp();
  return 0;
}

void CBaseDialog::OnHelp() {
  if (help_handler_) help_handler_();
}

bool CBaseDialog::PreTranslateKey(const KeyMessage& key) {
  if (key.vk != kVkF1 || (key.message != msg::kKeyDown && key.message != msg::kSysKeyDown)) {
    return false;
  }
  Post(msg::kHelp);
  return true;
}

CBaseDialog::CBaseDialog(int template_id, QWidget* parent, std::filesystem::path skin_file,
                         std::filesystem::path image_folder)
    : MessageDialog(parent),
      skin_file_(std::move(skin_file)),
      image_folder_(std::move(image_folder)),
      template_id_(template_id) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  // The background picture covers the whole window: nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

CBaseDialog::~CBaseDialog() = default;

int CBaseDialog::DoModal() {
  if (!OnInitDialog()) return kInitFailed;
  return exec();
}

bool CBaseDialog::Open() {
  if (!OnInitDialog()) return false;
  show();
  return true;
}

bool CBaseDialog::OnInitDialog() {
  return LoadSkin();
}

bool CBaseDialog::LoadSkin() {
  loading_ = true;
  ini_.SetPath(skin_file_);
  const std::string main = ini_.Get("SCREEN", "Main").value_or("");
  const std::string mask = ini_.Get("SCREEN", "Mask", main).value_or("");
  // The outline picture is needed only for the window's shape: it is not kept, and a dialog
  // whose outline is its background decodes that file once.
  QImage outline;
  bool loaded =
      !main.empty() && !mask.empty() && LoadSkinPicture(image_folder_ / main, background_);
  if (loaded && mask == main) {
    outline = background_;
  } else if (loaded) {
    loaded = LoadSkinPicture(image_folder_ / mask, outline);
  }
  if (!loaded) {
    ReleasePictures();
    loading_ = false;
    return false;
  }
  // The window takes the picture's size where it stands, on top, hidden until opened.
  hide();
  resize(background_.size());
  raise();
  if (std::optional<QRegion> shape = OutlineRegion(outline, kOutlineKey, 0)) {
    setMask(*shape);
  } else {
    clearMask();
  }
  update();
  loading_ = false;
  return true;
}

void CBaseDialog::ReleasePictures() {
  background_ = QImage();
}

void CBaseDialog::OnOK() {
  ReleasePictures();
  QDialog::accept();
}

void CBaseDialog::OnCancel() {
  ReleasePictures();
  QDialog::reject();
}

std::optional<QRegion> CBaseDialog::OutlineRegion(const QImage& picture, ColorRef key,
                                                  int tolerance) {
  return talon::OutlineRegion(picture, key, tolerance);
}

bool CBaseDialog::LoadSkinPicture(const std::filesystem::path& path, QImage& target) {
  return talon::LoadSkinPicture(path, target);
}

FaceSheet CBaseDialog::CreateFaceSheet(const QImage& picture, const QWidget& reference) {
  return FaceSheet::Create(picture, reference.size());
}

void CBaseDialog::paintEvent(QPaintEvent* event) {
  if (background_.isNull()) return;
  QPainter painter(this);
  // Only the parts asked for, rectangle by rectangle: a whole picture drawn through a clip of
  // many small rectangles (the key picture's changing keys) costs far more.
  for (const QRect& part : event->region()) painter.drawImage(part.topLeft(), background_, part);
}

void CBaseDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return MessageDialog::mousePressEvent(event);
  // Let the window system move the window with the mouse, as a drag on a caption would.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  drag_offset_ = event->globalPosition().toPoint() - pos();
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event) {
  if (drag_offset_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - *drag_offset_);
    return;
  }
  MessageDialog::mouseMoveEvent(event);
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) drag_offset_.reset();
  MessageDialog::mouseReleaseEvent(event);
}

}  // namespace talon
