// The vocabulary of the skin layout tables: a control's rectangle, how its face is drawn, and the
// small glyphs some faces carry.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talon::skingen {

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  constexpr int right() const { return x + w; }
  constexpr int bottom() const { return y + h; }
};

// How a control's face is drawn into a window's face sheets. None: the control has no face in the
// sheets (labels, edits, drop-downs, lists, bitmap pictures); the program draws it itself.
enum class Face {
  None,
  Key,      // a key of the keyboard picture
  GKey,     // G1-G9
  DKey,     // D1-D6
  FnKey,    // Fn
  Lock,     // lock indicator (never lit by the program)
  Bank,     // the A/B bank indicator
  FlipTag,  // the Flip indicator
  Button,   // a text button (legend in the picture)
  Primary,  // the accented main action (legend in the picture unless empty)
  Field,    // a blank button whose caption the program draws, with a glyph at its left edge
  Tab,      // a page button of the key assignment dialog (caption drawn by the program)
  Tool,     // a small square glyph button
  Round,    // a round glyph button (web links)
  Logo,     // the brand mark that opens the web page
  Rate,     // report-rate button, its level in bars
  Page,     // the key assignment dialog's page picture
  Title,    // the key assignment dialog's title picture
};

enum class Glyph {
  None,
  Help,
  Minimize,
  Close,
  Menu,
  Globe,
  People,
  Chat,
  Keyboard,
  Eraser,
  Plus,
  Trash,
  Record,
  ArrowLeft,
  ArrowRight,
  Top,
  Up,
  Down,
  Bottom,
  Profile,
  Folder,
  Check,
  Cross,
  Play,
  Lightning,
  Lock,
  Brush,
  Bucket,
};

struct Control {
  Control() = default;
  Control(std::string key_, Rect rect_, Face face_ = Face::None, std::string legend_ = {},
          Glyph glyph_ = Glyph::None, int level_ = 0)
      : key(std::move(key_)),
        rect(rect_),
        face(face_),
        legend(std::move(legend_)),
        glyph(glyph_),
        level(level_) {}

  std::string key;  // [BUTTONINFO] key
  Rect rect;
  Face face = Face::None;
  std::string legend;  // text shown in the picture; for keys the English name
  Glyph glyph = Glyph::None;
  int level = 0;  // Rate: number of bars; Key: the key's slot
};

// A whole window: its size and every control the skin file places, in file order.
struct WindowLayout {
  int width = 0;
  int height = 0;
  std::vector<Control> controls;

  const Control& at(std::string_view key) const;
};

// Keys whose rectangle the skin leaves out ("1,1,1,1"): controls the program creates hidden.
inline constexpr Rect kUnplaced{1, 1, 1, 1};

}  // namespace talon::skingen
