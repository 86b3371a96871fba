#pragma once
// CPngButton: the skinned push button. It owns no pictures: for its state it shows the part of
// one of the dialog's FaceSheets that lies under it, optionally with its caption over it in a
// state colour, font and angle. Its outline is a tint: a wash of colour over the face that
// keeps a light legend readable (the key picture's lighting preview and painted keys). Its
// tooltip pops up as soon as the mouse rests on it, and a double-click counts as two clicks.
#include <QAbstractButton>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

#include "ui/skin/color_ref.h"
#include "ui/skin/face_sheet.h"

class QTimer;

namespace talon {

class CPngButton : public QAbstractButton {
 public:
  // Called after every draw with whether the normal face was the one drawn.
  using DrawCallback = std::function<void(CPngButton& button, bool normal_face)>;
  // Called when the mouse comes onto the button (true) and when it leaves it (false).
  using HoverCallback = std::function<void(CPngButton& button, bool entered)>;

  struct FaceChoice {
    const FaceSheet* face = nullptr;
    ColorRef text_colour = 0;
    bool normal = false;
  };

  explicit CPngButton(QWidget* parent = nullptr);
  ~CPngButton() override;

  // Position of the button's picture in the sheets (its skin position) and its five faces.
  // Clears the hover, tracking and pressed flags.
  void SetFaces(int x, int y, const FaceSheet* normal, const FaceSheet* hover,
                const FaceSheet* pressed, const FaceSheet* disabled, const FaceSheet* other,
                bool redraw = true);
  void ReplaceFaces(const FaceSheet* normal, const FaceSheet* hover, const FaceSheet* pressed,
                    const FaceSheet* disabled, const FaceSheet* other, bool redraw = true);
  // In alternate mode the button shows face B when `selector` is set, else face A, and ignores
  // hover and press.
  void SetAlternateFaces(const FaceSheet* a, const FaceSheet* b, bool mode, bool selector,
                         bool redraw = true);
  // Repaints only when the state changes.
  void SetOtherState(bool on, bool redraw = true);
  void SetTextStyle(bool text, int size, const QString& face_name, ColorRef normal, ColorRef hover,
                    ColorRef pressed, ColorRef disabled, ColorRef other, std::uint32_t format = 37);
  void SetTextAngle(int tenths_of_degree, bool rotated);
  // The tint: `colour` washed over the face with strength `level` (0-100; capped at 100 when
  // on), or none when off. Repaints only when the look changes: setting the same tint again,
  // or changing the colour of a tint that is off, paints nothing. True when the look changed;
  // without `redraw` the owner repaints it (many buttons at once, in one update).
  bool SetOutline(ColorRef colour, int level, bool on, bool redraw = true);
  // An empty text changes nothing.
  void SetTooltip(const QString& text, bool activate = true);
  void SetDrawCallback(DrawCallback callback) { draw_callback_ = std::move(callback); }
  void SetHoverCallback(HoverCallback callback) { hover_callback_ = std::move(callback); }
  // Schedules a repaint; many buttons redrawn together are painted in one pass.
  void Redraw();

  // The face and text colour for the current state, first match wins: disabled, alternate
  // mode, pressed, hover, other state, normal.
  FaceChoice ChooseFace() const;

  const FaceSheet* CurrentFace() const { return current_face_; }
  bool IsHovered() const { return hover_; }
  bool OtherState() const { return other_state_; }
  bool AlternateMode() const { return alternate_mode_; }
  bool AlternateSelector() const { return alternate_selector_; }
  bool IsOutlined() const { return outline_; }
  ColorRef OutlineColour() const { return outline_colour_; }
  int OutlineLevel() const { return outline_level_; }
  QPoint FacePosition() const { return QPoint(face_x_, face_y_); }
  const QString& Tooltip() const { return tooltip_text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void OnMouseHover();
  void OnMouseLeave();
  void ClearMouseFlags();
  void Draw(bool redraw);
  const QImage& TintedFace(const FaceSheet& sheet, const QRect& source);
  void DrawText(QPainter& painter, ColorRef colour);
  void PopTooltip();

  const FaceSheet* normal_face_ = nullptr;
  const FaceSheet* hover_face_ = nullptr;
  const FaceSheet* pressed_face_ = nullptr;
  const FaceSheet* disabled_face_ = nullptr;
  const FaceSheet* other_face_ = nullptr;
  const FaceSheet* current_face_ = nullptr;
  const FaceSheet* alternate_a_ = nullptr;
  const FaceSheet* alternate_b_ = nullptr;
  bool hover_ = false;
  bool tracking_ = false;
  bool pressed_ = false;
  bool other_state_ = false;
  bool alternate_mode_ = false;
  bool alternate_selector_ = false;
  int face_x_ = 0;
  int face_y_ = 0;
  bool text_ = false;
  int font_size_ = 8;
  QString font_face_ = QStringLiteral("Tahoma Unicode MS");
  ColorRef normal_colour_ = 0;
  ColorRef hover_colour_ = 0;
  ColorRef pressed_colour_ = 0;
  ColorRef disabled_colour_ = 0;
  ColorRef other_colour_ = 0;
  std::uint32_t text_format_ = 37;
  int text_angle_ = 0;
  bool rotated_ = false;
  DrawCallback draw_callback_;
  HoverCallback hover_callback_;
  QString tooltip_text_;
  bool tooltip_active_ = false;
  bool outline_ = false;
  ColorRef outline_colour_ = 0;
  int outline_level_ = 0;
  QImage tinted_;  // the face under the tint, kept between paints
  QTimer* hover_timer_;
};

}  // namespace talon
