// The gallery's profile window and its sheet of smaller controls.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLineEdit>

#include <cstdio>

#include "ui/skin/base_dialog.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/gallery/contact_sheet.h"
#include "ui/skin/gallery/skin_gallery.h"
#include "ui/skin/place_control.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_picture.h"

namespace talon::gallery {

namespace {

void Settle() {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 10) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A top-level window to show one control in, with the dark panel colour of the skins.
std::unique_ptr<QWidget> Host(QSize size, QColor back = QColor(34, 36, 40)) {
  auto host = std::make_unique<QWidget>();
  host->resize(size);
  host->setAutoFillBackground(true);
  QPalette p = host->palette();
  p.setColor(QPalette::Window, back);
  host->setPalette(p);
  return host;
}

QImage Grab(QWidget& widget) {
  widget.show();
  Settle();
  return widget.grab().toImage();
}

void FillActions(CReportCtrl& list) {
  list.InsertColumn(0, "Key", Qt::AlignLeft, 90);
  list.InsertColumn(1, "Action", Qt::AlignCenter, 70);
  list.InsertColumn(2, "Delay", Qt::AlignRight, 70);
  const char* keys[] = {"A", "A", "Left Ctrl", "Print Screen", "F5"};
  for (int row = 0; row < 5; ++row) {
    list.InsertItem(row, keys[row]);
    list.SetItemText(row, 1, row % 2 ? QString::fromUtf8("  \u2191") : QString::fromUtf8("\u2193"));
    list.SetItemText(row, 2, QString::number(50 + row * 10));
  }
}

}  // namespace

bool SkinGallery::RenderProfileWindow() {
  CBaseDialog dialog(131, nullptr, skin_folder_ / "Profile.ini", skin_folder_);
  const QImage down = Load("Profile_down.jpg");
  const QImage pictures[] = {Load("Profile_normal.jpg"), Load("Profile_over.jpg"), down, down};
  if (!dialog.Open()) {
    std::fprintf(stderr, "cannot open the profile window's skin in %s\n", skin_folder_.c_str());
    return false;
  }
  std::vector<FaceSheet> faces;
  for (const QImage& picture : pictures) {
    if (picture.isNull()) return false;
    faces.push_back(CBaseDialog::CreateFaceSheet(picture, dialog));
  }
  const FaceSet set{&faces[0], &faces[1], &faces[2], &faces[3], nullptr};
  const std::pair<const char*, const char*> buttons[] = {
      {"CONTROL_OK", "OK"}, {"CONTROL_CANCEL", "Cancel"}, {"CONTROL2_APPLY", "Apply"},
      {"FUNC_ADD", "New"},  {"FUNC_LOAD", "Load"},        {"FUNC_DELETE", "Delete"}};
  // The captions are part of the skin's faces.
  for (auto [key, text] : buttons) {
    auto* button = new CPngButton(&dialog);
    button->setText(text);
    PlaceImageButton(*button, dialog.SkinFile(), key, set);
    if (std::string_view(key) == "CONTROL2_APPLY") button->setEnabled(false);
  }
  auto* list = new CReportCtrl(&dialog);
  PlaceControl(*list, dialog.SkinFile(), "PROGRAM_LIST");
  list->InsertColumn(0, QString::fromUtf8("\u6fc0\u6d3b"), Qt::AlignLeft, 60);
  list->InsertColumn(1, QString::fromUtf8("\u540d\u79f0"), Qt::AlignLeft, 120);
  list->InsertColumn(2, QString::fromUtf8("\u8def\u5f84"), Qt::AlignLeft, 230);
  list->SetGridLines(true);
  list->SetHeaderClickable(false);
  list->SetTickMode(CReportCtrl::TickMode::kSingle);
  for (int i = 0; i < 4; ++i) {
    list->InsertItem(i, "");
    list->SetItemText(i, 1, "$Profile0");
    list->SetItemText(i, 2, "/home/user/.local/share/TALON7X-DUO/");
  }
  list->SetItemStates(1, CReportCtrl::kTick | CReportCtrl::kSelect | CReportCtrl::kFocus);
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->show();
  Settle();
  return Save(CutToShape(dialog.grab().toImage(), dialog.mask()), "profile-window.png");
}

bool SkinGallery::RenderControls() {
  ContactSheet sheet("Sliders, colour buttons, colour text and lists", 4);

  for (int position = 0; position <= 5; ++position) {
    auto host = Host(QSize(170, 40));
    auto* slider = new CBitmapSlider(host.get());
    slider->move(8, 9);
    slider->SetRange(0, 5);
    slider->SetPos(position);
    const std::string file = std::to_string(position) + ".bmp";
    slider->SetBitmap(Load(file.c_str()));
    slider->SetPicture(Load(file.c_str()));
    sheet.Add(QString("slider at %1").arg(position), Grab(*host));
  }
  {
    auto host = Host(QSize(170, 40));
    auto* slider = new CBitmapSlider(host.get());
    slider->move(8, 9);
    slider->SetRange(0, 5);
    slider->SetBitmap(Load("0.bmp"));  // before its first picture: the grey of its position
    sheet.Add("slider, no picture yet", Grab(*host));
  }

  struct ColourCase {
    const char* label;
    ColorRef colour;
    bool enabled, focus, hover, down;
  };
  const ColourCase colours[] = {
      {"colour: automatic", kNoColor, true, false, false, false},
      {"colour: chosen", Rgb(220, 30, 30), true, false, false, false},
      {"colour: disabled", Rgb(220, 30, 30), false, false, false, false},
      {"colour: hover", Rgb(30, 120, 220), true, false, true, false},
      {"colour: focus", Rgb(30, 120, 220), true, true, false, false},
      {"colour: pressed", Rgb(30, 120, 220), true, false, false, true},
  };
  for (const ColourCase& c : colours) {
    auto host = Host(QSize(130, 44));
    auto* button = new CSkinColorBtn(host.get());
    button->setGeometry(10, 9, 100, 26);
    button->EnableAutomaticButton("Automatic", Rgb(0, 200, 90));
    button->SetColor(c.colour);
    button->setEnabled(c.enabled);
    host->show();
    Settle();
    if (c.focus) {
      QApplication::setActiveWindow(host.get());
      button->setFocus();
    } else {
      // A window's first control takes the focus when the window is shown; losing it returns
      // the button to its normal look, so this comes before hover and press.
      button->clearFocus();
    }
    if (c.hover) {
      QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
      QCoreApplication::sendEvent(button, &enter);
    }
    button->setDown(c.down);
    const QImage shown = Grab(*host);
    sheet.Add(c.label, shown.scaled(shown.size() * 2));
  }
  {
    auto host = Host(QSize(130, 44));
    auto* button = new CSkinColorBtn(host.get());
    button->setGeometry(10, 9, 100, 26);
    button->EnableAutomaticButton("Automatic", Rgb(0, 200, 90));
    button->EnableOtherButton("other");
    button->SetColor(Rgb(255, 0, 0));
    host->show();
    button->OnShowColorPopup();
    Settle();
    sheet.Add("colour pop-up", button->Popup()->grab().toImage());
    button->Popup()->close();
  }

  {
    auto host = Host(QSize(260, 90));
    auto* plain = new ColorStatic(host.get());
    plain->setGeometry(10, 8, 240, 24);
    plain->setText("White until set");
    auto* coloured = new ColorStatic(host.get());
    coloured->setGeometry(10, 36, 240, 44);
    coloured->SetFontHeight(24);
    coloured->SetTextColor(Rgb(255, 180, 0));
    coloured->setText("Colour, 24 px");
    sheet.Add("colour text", Grab(*host));
  }

  {
    auto host = Host(QSize(260, 160), Qt::white);
    auto* list = new CReportCtrl(host.get());
    list->setGeometry(0, 0, 260, 160);
    FillActions(*list);
    list->SetTickMode(CReportCtrl::TickMode::kSingle);
    list->SetGridLines(true);
    list->SetItemBkColor(0, -1, Rgb(255, 240, 150));
    list->SetItemTextColor(1, -1, Rgb(200, 0, 0));
    list->SetItemBkColor(-1, 2, Rgb(210, 230, 255));
    list->SetItemStates(2, CReportCtrl::kTick);
    list->SetEditable(true);
    host->show();
    list->BeginEdit(3, 2);
    list->EditBox().setText("1250");
    sheet.Add("list: tick, colours, open edit", Grab(*host));
  }
  {
    auto host = Host(QSize(260, 160), Qt::white);
    auto* list = new CReportCtrl(host.get());
    list->setGeometry(0, 0, 260, 160);
    FillActions(*list);
    list->SetEditable(true);
    list->SetBeginEditCallback([](CReportCtrl& l, unsigned&) {
      auto* combo = new CComboBox4ListCtrl(l.viewport());
      combo->addItems({"A", "B", "Left Ctrl", "Print Screen", "F5"});
      combo->setCurrentIndex(2);
      combo->SetStoredMessage(msg::kKeyDown, 0x0D, 0);
      combo->setGeometry(l.CellRect(l.EditRow(), l.EditColumn()).adjusted(0, -2, 0, 2));
      combo->show();
      return false;
    });
    host->show();
    list->BeginEdit(2, 0);
    sheet.Add("list: drop-down over a cell", Grab(*host));
  }
  return Save(sheet.Render(), "controls.png");
}

}  // namespace talon::gallery
