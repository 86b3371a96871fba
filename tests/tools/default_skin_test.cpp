// The default skin as the windows will read it: every file they name, every control they place,
// and faces that line up with the pictures they are cut from.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <cstdint>
#include <set>

#include "skin_files.h"

namespace talon::test {
namespace {

class DefaultSkin : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "default_skin_test";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) new QGuiApplication(argc, argv);
    ASSERT_FALSE(ProgramDir().isEmpty()) << "TALON7X_PROGRAM_DIR is not set";
  }
};

// Pictures the windows load by name.
const char* const kNamedPictures[] = {
    // main window
    "main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "Arrow.jpg",
    "main_color0.jpg", "main_color1.jpg",
    // key assignment dialog
    "key_normal.jpg", "key_over.jpg", "key_down.jpg", "macro_normal.jpg", "macro_over.jpg",
    "macro_down.jpg", "macro_disable.jpg", "macro2_normal.jpg", "macro2_over.jpg",
    "macro2_down.jpg", "macro2_disable.jpg", "media_normal.jpg", "media_over.jpg", "media_down.jpg",
    "function_normal.jpg", "function_over.jpg", "function_down.jpg",
    // profile manager
    "Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg",
    // lighting panel
    "dengup.bmp", "dengdown.bmp", "leftup.bmp", "leftdown.bmp", "rightup.bmp", "rightdown.bmp",
    "upup.bmp", "updown.bmp", "downup.bmp", "downdown.bmp", "kuosan.bmp", "kuosandown.bmp",
    "julong.bmp", "julongdown.bmp", "hong.bmp", "hongok.bmp", "huang.bmp", "huangok.bmp", "lv.bmp",
    "lvok.bmp", "lan.bmp", "lanok.bmp", "sjsup.bmp", "sjsdown.bmp", "user1up.bmp", "user1down.bmp",
    "user2up.bmp", "user2down.bmp"};

// Keys of Main.ini's [BUTTONINFO]; the key buttons and G keys are checked on their own below.
const char* const kMainKeys[] = {"CONTROL_OK",
                                 "CONTROL_CANCEL",
                                 "CONTROL_HELP",
                                 "CONTROL_CLOSE",
                                 "CONTROL_MINIMIZE",
                                 "CONTROL_MENU",
                                 "CONTROL2_APPLY",
                                 "FUNC_PROFILES",
                                 "FUNC_MACRO",
                                 "FUNC_PROFILE1",
                                 "FUNC_PROFILE2",
                                 "FUNC_PROFILE3",
                                 "FUNC_DEFAULT",
                                 "FUNC_SWITCH",
                                 "FUNC_REPORT1",
                                 "FUNC_REPORT2",
                                 "FUNC_REPORT3",
                                 "FUNC_REPORT4",
                                 "LOCK_CAPS",
                                 "LOCK_NUM",
                                 "LOCK_SCROLL",
                                 "LOCK_AB",
                                 "FLIP_0",
                                 "FLIP_1",
                                 "FLIP_2",
                                 "COLOR_R",
                                 "COLOR_G",
                                 "COLOR_B",
                                 "KEY_FN",
                                 "TORVEL_LINK",
                                 "TORVEL_VER",
                                 "CONTROL_UsbStatic",
                                 "CONTROL_RGBStatic",
                                 "CONTROL_DengStatic",
                                 "CONTROL_DengStaPic",
                                 "CONTROL_XGcombox",
                                 "CONTROL_JDTStatic",
                                 "CONTROL_LightStatic",
                                 "CONTROL_LightSlider",
                                 "CONTROL_SpeedStatic",
                                 "CONTROL_SpeedSlider",
                                 "CONTROL_BLFXStatic",
                                 "CONTROL_BLFXLStaPic",
                                 "CONTROL_BLFXRStaPic",
                                 "CONTROL_BLFXStatic2",
                                 "CONTROL_BLFXLStaPic2",
                                 "CONTROL_BLFXRStaPic2",
                                 "CONTROL_BLFXStatic3",
                                 "CONTROL_BLFXLStaPic3",
                                 "CONTROL_BLFXRStaPic3",
                                 "CONTROL_FYYSStatic",
                                 "CONTROL_FYYSButton",
                                 "CONTROL_FYSJSStaPic",
                                 "CONTROL_FYSJSStatic",
                                 "CONTROL_FYCFStatic",
                                 "CONTROL_FYdjcfStatic",
                                 "CONTROL_FYggcfStatc",
                                 "CONTROL_FYdjcfStaPic",
                                 "CONTROL_FYggcfStaPic",
                                 "CONTROL_HONGPIC",
                                 "CONTROL_HUANGPIC",
                                 "CONTROL_LVPIC",
                                 "CONTROL_LANPIC",
                                 "CONTROL_HXysStatic",
                                 "CONTROL_HXysButton",
                                 "CONTROL_HXsjsStatic",
                                 "CONTROL_HXsjsStaPic",
                                 "CONTROL_JTysStatic",
                                 "CONTROL_JTysButton",
                                 "CONTROL_USERysStatic",
                                 "CONTROL_USERysButton",
                                 "CONTROL_USERjsStatic",
                                 "CONTROL_USERjsButton",
                                 "CONTROL_USERgjStatic",
                                 "CONTROL_USERgjStaPic1",
                                 "CONTROL_USERgjStaPic2",
                                 "CONTROL_Color1",
                                 "CONTROL_Color2",
                                 "CONTROL_Color3",
                                 "CONTROL_Color4",
                                 "CONTROL_Color5",
                                 "CONTROL_Color6",
                                 "CONTROL_Color7",
                                 "CONTROL_Color8",
                                 "CONTROL_Network",
                                 "CONTROL_Facebook",
                                 "CONTROL_twitter",
                                 "CONTROL_TSysStatic",
                                 "CONTROL_TSysButton",
                                 "CONTROL_TSsjsStatic",
                                 "CONTROL_TSsjsStaPic",
                                 "CONTROL_CDysStatic",
                                 "CONTROL_CDysButton",
                                 "CONTROL_CDsjsStatic",
                                 "CONTROL_CDsjsStaPic",
                                 "CONTROL_umCombo",
                                 "DOWN_ARROW_LEFT",
                                 "DOWN_ARROW_RIGHT",
                                 "LEFT_ARROW",
                                 "RIGHT_ARROW"};

// Controls the main window creates but never shows: the skin may leave them at 1,1,1,1.
const std::set<std::string> kMayStayUnplaced = {
    "FUNC_SWITCH",          "CONTROL_JTysStatic",  "CONTROL_JTysButton",   "CONTROL_FYCFStatic",
    "CONTROL_FYdjcfStatic", "CONTROL_FYggcfStatc", "CONTROL_FYdjcfStaPic", "CONTROL_FYggcfStaPic",
    "CONTROL_TSysStatic",   "CONTROL_TSysButton",  "CONTROL_TSsjsStatic",  "CONTROL_TSsjsStaPic",
    "CONTROL_CDysStatic",   "CONTROL_CDysButton",  "CONTROL_CDsjsStatic",  "CONTROL_CDsjsStaPic",
    "CONTROL_Color1",       "CONTROL_Color2",      "CONTROL_Color3",       "CONTROL_Color4",
    "CONTROL_Color5",       "CONTROL_Color6",      "CONTROL_Color7",       "CONTROL_Color8"};

const char* const kCompositeKeys[] = {"CONTROL_MASK",
                                      "CONTROL_TITLE",
                                      "CONTROL_OSK",
                                      "CONTROL_CLEAR",
                                      "CONTROL_MEDIA",
                                      "CONTROL_MACRO",
                                      "CONTROL_KEY",
                                      "CONTROL_FUNCTION",
                                      "CONTROL_OK",
                                      "CONTROL_CANCEL",
                                      "FUNC_MACRO_DELETE",
                                      "FUNC_MACRO_ADD",
                                      "FUNC_MACRO_UP_TOP",
                                      "FUNC_MACRO_UP",
                                      "FUNC_MACRO_DOWN",
                                      "FUNC_MACRO_DOWN_BOTTOM",
                                      "FUNC_MACRO_DELETE2",
                                      "FUNC_MACRO_CLEAR",
                                      "FUNC_MACRO_RECORD",
                                      "FUNC_MACRO_RECORD_DELAY",
                                      "FUNC_MACRO_RECORD_DELAY2",
                                      "FUNC_MACRO_LIST",
                                      "FUNC_MACRO_LIST2",
                                      "FUNC_MACRO_CYCLES",
                                      "FUNC_MACRO_CYCLES_PROMPT",
                                      "TISHI_SINGLE_STATIC",
                                      "MARCO_NAME_SETTING",
                                      "KEY_SETTING",
                                      "MEDIA_SETTING_TISHI",
                                      "FUNCTION_KEY_SETTING_TISHI",
                                      "FUNC_KEY_INPUT",
                                      "FUNC_MEDIA_SELECT",
                                      "FUNC_FUNCTION_SELECT",
                                      "FUNC_KEY_RADIO_KB",
                                      "FUNC_KEY_RADIO_KB_STATIC",
                                      "FUNC_KEY_RADIO_MOU",
                                      "FUNC_KEY_RADIO_MOU_STATIC"};

const char* const kProfileKeys[] = {"CONTROL_OK", "CONTROL_CANCEL", "CONTROL2_APPLY", "FUNC_ADD",
                                    "FUNC_LOAD",  "FUNC_DELETE",    "PROGRAM_LIST"};

// The main window's 104 key buttons by key id, in button order.
constexpr std::uint16_t kKeyButtonIds[] = {
    0x01E, 0x030, 0x02E, 0x020, 0x012, 0x021, 0x022, 0x023, 0x017, 0x024, 0x025, 0x026, 0x032,
    0x031, 0x018, 0x019, 0x010, 0x013, 0x01F, 0x014, 0x016, 0x02F, 0x011, 0x02D, 0x015, 0x02C,
    0x002, 0x003, 0x004, 0x005, 0x006, 0x007, 0x008, 0x009, 0x00A, 0x00B, 0x01C, 0x001, 0x00E,
    0x00F, 0x039, 0x00C, 0x00D, 0x01A, 0x01B, 0x02B, 0x027, 0x028, 0x029, 0x033, 0x034, 0x035,
    0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x041, 0x042, 0x043, 0x044, 0x057, 0x058, 0x137,
    0x045, 0x152, 0x153, 0x147, 0x14F, 0x149, 0x151, 0x148, 0x150, 0x14B, 0x14D, 0x046, 0x03A,
    0x15D, 0x01D, 0x11D, 0x02A, 0x036, 0x038, 0x138, 0x15B, 0x15C, 0x04F, 0x050, 0x051, 0x04B,
    0x04C, 0x04D, 0x047, 0x048, 0x049, 0x052, 0x145, 0x11C, 0x053, 0x135, 0x037, 0x04A, 0x04E};

std::uint16_t SlotOfKey(std::uint16_t key) {
  if (key < 256) return key;
  if (key < 512) return static_cast<std::uint16_t>((key - 128) % 256);
  return static_cast<std::uint16_t>(key - 256);
}

// Skin keys of every button of the keyboard picture: the 104 keys, G1-G9 and Fn.
std::vector<std::string> KeyboardButtonKeys() {
  std::vector<std::string> keys;
  for (std::uint16_t id : kKeyButtonIds) {
    char key[16];
    std::snprintf(key, sizeof key, "KEY_%03X", SlotOfKey(id));
    keys.push_back(key);
  }
  for (int g = 1; g <= 9; ++g) keys.push_back("FUNC_G" + std::to_string(g));
  keys.push_back("KEY_FN");
  return keys;
}

QSize BackgroundSize(const SkinIni& ini) {
  const auto name = ini.value("SCREEN", "Main");
  return name ? LoadPicture(QString::fromStdString(*name)).size() : QSize();
}

TEST_F(DefaultSkin, EveryPictureTheWindowsNameLoads) {
  for (const char* name : kNamedPictures) {
    const QImage img = LoadPicture(QString::fromLatin1(name));
    EXPECT_FALSE(img.isNull()) << name;
  }
  for (int i = 1; i <= 10; ++i) {
    EXPECT_FALSE(LoadPicture(QStringLiteral("jdt%1.bmp").arg(i)).isNull()) << "jdt" << i;
  }
  for (int i = 0; i <= 25; ++i) {
    EXPECT_FALSE(LoadPicture(QStringLiteral("%1.bmp").arg(i)).isNull()) << i << ".bmp";
  }
  for (int i = 1; i <= 8; ++i) {
    EXPECT_FALSE(LoadPicture(QStringLiteral("Color%1.bmp").arg(i)).isNull()) << "Color" << i;
  }
  // and whatever else the skin folder holds
  const QStringList all = QDir(SkinPath(QString())).entryList({"*.jpg", "*.bmp"}, QDir::Files);
  EXPECT_GT(all.size(), 100);
  for (const QString& name : all) {
    const QImage img = LoadPicture(name);
    EXPECT_FALSE(img.isNull()) << name.toStdString();
    EXPECT_GT(img.width() * img.height(), 1) << name.toStdString();
  }
}

TEST_F(DefaultSkin, EachWindowHasABackgroundAndARoundedOutline) {
  for (const char* file : {"Main.ini", "Composite.ini", "Profile.ini"}) {
    SCOPED_TRACE(file);
    const SkinIni ini(QString::fromLatin1(file));
    ASSERT_TRUE(ini.loaded());
    const auto main = ini.value("SCREEN", "Main");
    const auto mask = ini.value("SCREEN", "Mask");
    ASSERT_TRUE(main && mask);
    const QImage bg = LoadPicture(QString::fromStdString(*main));
    const QImage outline = LoadPicture(QString::fromStdString(*mask));
    ASSERT_FALSE(bg.isNull());
    ASSERT_FALSE(outline.isNull());
    EXPECT_GE(bg.width(), 300);
    EXPECT_EQ(outline.size(), bg.size());
    // white (the key colour) outside the corners, never white inside
    const int w = outline.width() - 1, h = outline.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}) {
      EXPECT_EQ(outline.pixel(corner), qRgb(255, 255, 255)) << corner.x() << "," << corner.y();
    }
    for (const QPoint inside : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w / 2, h / 2)}) {
      EXPECT_NE(outline.pixel(inside), qRgb(255, 255, 255)) << inside.x() << "," << inside.y();
    }
  }
  EXPECT_TRUE(SkinIni(QStringLiteral("Main.ini")).value("SCREEN", "Link").has_value());
}

void ExpectPlaced(const SkinIni& ini, const QSize& window, const std::string& key) {
  const auto r = ini.rect("BUTTONINFO", key);
  ASSERT_TRUE(r.has_value()) << key << " is missing or not four integers";
  if (*r == QRect(1, 1, 1, 1) && kMayStayUnplaced.count(key) != 0) return;
  EXPECT_FALSE(r->x() == 1 && r->y() == 1) << key << " sits at 1,1, which disables it";
  EXPECT_GT(r->width(), 1) << key;
  EXPECT_GT(r->height(), 1) << key;
  EXPECT_TRUE(QRect(QPoint(0, 0), window).contains(*r)) << key << " leaves the window";
}

TEST_F(DefaultSkin, EverySkinKeyIsPlacedInsideItsWindow) {
  const struct {
    const char* file;
    std::vector<std::string> keys;
  } files[] = {
      {"Main.ini", std::vector<std::string>(std::begin(kMainKeys), std::end(kMainKeys))},
      {"Composite.ini",
       std::vector<std::string>(std::begin(kCompositeKeys), std::end(kCompositeKeys))},
      {"Profile.ini", std::vector<std::string>(std::begin(kProfileKeys), std::end(kProfileKeys))},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.file);
    const SkinIni ini(QString::fromLatin1(f.file));
    const QSize window = BackgroundSize(ini);
    ASSERT_FALSE(window.isEmpty());
    for (const std::string& key : f.keys) ExpectPlaced(ini, window, key);
    // whatever else the file places is well formed too
    for (const std::string& key : ini.keys("BUTTONINFO")) {
      EXPECT_TRUE(ini.rect("BUTTONINFO", key).has_value()) << key;
    }
  }
}

TEST_F(DefaultSkin, KeyButtonsSitInsideTheKeyboardWithoutOverlapping) {
  const SkinIni ini(QStringLiteral("Main.ini"));
  const QSize window = BackgroundSize(ini);
  ASSERT_FALSE(window.isEmpty());
  const std::vector<std::string> keys = KeyboardButtonKeys();
  ASSERT_EQ(keys.size(), 114u);
  std::vector<QRect> rects;
  for (const std::string& key : keys) {
    ExpectPlaced(ini, window, key);
    rects.push_back(ini.rect("BUTTONINFO", key).value_or(QRect()));
  }
  for (std::size_t i = 0; i < rects.size(); ++i) {
    for (std::size_t j = i + 1; j < rects.size(); ++j) {
      EXPECT_FALSE(rects[i].intersects(rects[j])) << keys[i] << " overlaps " << keys[j];
    }
  }
}

TEST_F(DefaultSkin, FaceSheetsCoverTheirWholeWindow) {
  const struct {
    const char* file;
    std::vector<const char*> sheets;
  } windows[] = {
      {"Main.ini",
       {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "main_color0.jpg",
        "main_color1.jpg"}},
      {"Composite.ini",
       {"key_normal.jpg", "key_over.jpg", "key_down.jpg", "macro_normal.jpg", "macro_over.jpg",
        "macro_down.jpg", "macro_disable.jpg", "macro2_normal.jpg", "macro2_over.jpg",
        "macro2_down.jpg", "macro2_disable.jpg", "media_normal.jpg", "media_over.jpg",
        "media_down.jpg", "function_normal.jpg", "function_over.jpg", "function_down.jpg"}},
      {"Profile.ini", {"Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg"}},
  };
  for (const auto& w : windows) {
    const QSize window = BackgroundSize(SkinIni(QString::fromLatin1(w.file)));
    for (const char* sheet : w.sheets) {
      const QImage img = LoadPicture(QString::fromLatin1(sheet));
      EXPECT_GE(img.width(), window.width()) << sheet;
      EXPECT_GE(img.height(), window.height()) << sheet;
    }
  }
}

// A button shows its sheets from (x - 1, y - 1): cut there, the normal face must match what the
// background shows at the button's own place, and match it better than an unshifted cut would.
TEST_F(DefaultSkin, NormalFacesLineUpWithTheBackground) {
  const SkinIni ini(QStringLiteral("Main.ini"));
  const QImage bg = LoadPicture(QString::fromStdString(ini.value("SCREEN", "Main").value_or("")));
  const QImage normal = LoadPicture(QStringLiteral("main_normal.jpg"));
  ASSERT_FALSE(bg.isNull());
  ASSERT_FALSE(normal.isNull());
  for (const std::string& key : KeyboardButtonKeys()) {
    const QRect r = ini.rect("BUTTONINFO", key).value_or(QRect());
    const QImage under = bg.copy(r);
    const double shifted = MeanDifference(normal.copy(r.translated(-1, -1)), under);
    const double unshifted = MeanDifference(normal.copy(r), under);
    EXPECT_LT(shifted, 5.0) << key;
    EXPECT_LT(shifted, unshifted) << key;
  }
}

TEST_F(DefaultSkin, EveryStateOfAKeyLooksDifferent) {
  const SkinIni ini(QStringLiteral("Main.ini"));
  const char* const sheets[] = {"main_normal.jpg",  "main_over.jpg",   "main_down.jpg",
                                "main_disable.jpg", "main_color0.jpg", "main_color1.jpg"};
  std::vector<QImage> faces;
  for (const char* s : sheets) faces.push_back(LoadPicture(QString::fromLatin1(s)));
  for (const std::string& key : KeyboardButtonKeys()) {
    const QRect cut = ini.rect("BUTTONINFO", key).value_or(QRect()).translated(-1, -1);
    for (std::size_t i = 0; i < faces.size(); ++i) {
      for (std::size_t j = i + 1; j < faces.size(); ++j) {
        EXPECT_GT(MeanDifference(faces[i].copy(cut), faces[j].copy(cut)), 4.0)
            << key << ": " << sheets[i] << " vs " << sheets[j];
      }
    }
  }
}

TEST_F(DefaultSkin, ArrowPicturesLieInsideArrowJpg) {
  const SkinIni ini(QStringLiteral("Main.ini"));
  const QImage arrows = LoadPicture(QStringLiteral("Arrow.jpg"));
  ASSERT_FALSE(arrows.isNull());
  const QRect place = ini.rect("BUTTONINFO", "LEFT_ARROW").value_or(QRect());
  for (const char* key :
       {"UP_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_LEFT", "DOWN_ARROW_RIGHT", "UP_ARROW_LEFT1",
        "UP_ARROW_RIGHT1", "DOWN_ARROW_LEFT1", "DOWN_ARROW_RIGHT1"}) {
    const auto origin = ini.rect("BUTTONINFO2", key);
    ASSERT_TRUE(origin.has_value()) << key;
    // the picture shown is the arrow control's size, taken from that origin
    const QRect shown(origin->topLeft(), place.size());
    EXPECT_TRUE(arrows.rect().contains(shown)) << key;
  }
}

TEST_F(DefaultSkin, SlidersShowTheirLevelAndTheBusyFramesMove) {
  auto distinctRun = [](const QString& pattern, int first, int last) {
    QImage previous;
    for (int i = first; i <= last; ++i) {
      const QImage img = LoadPicture(pattern.arg(i));
      ASSERT_FALSE(img.isNull()) << pattern.arg(i).toStdString();
      if (!previous.isNull()) {
        ASSERT_EQ(img.size(), previous.size()) << pattern.arg(i).toStdString();
        EXPECT_GT(MeanDifference(img, previous), 1.0) << pattern.arg(i).toStdString();
      }
      previous = img;
    }
  };
  distinctRun(QStringLiteral("%1.bmp"), 0, 5);    // brightness
  distinctRun(QStringLiteral("%1.bmp"), 10, 15);  // speed
  distinctRun(QStringLiteral("jdt%1.bmp"), 1, 10);
  const char* const pairs[][2] = {
      {"dengup.bmp", "dengdown.bmp"},   {"sjsup.bmp", "sjsdown.bmp"},
      {"leftup.bmp", "leftdown.bmp"},   {"rightup.bmp", "rightdown.bmp"},
      {"upup.bmp", "updown.bmp"},       {"downup.bmp", "downdown.bmp"},
      {"kuosan.bmp", "kuosandown.bmp"}, {"julong.bmp", "julongdown.bmp"},
      {"hong.bmp", "hongok.bmp"},       {"huang.bmp", "huangok.bmp"},
      {"lv.bmp", "lvok.bmp"},           {"lan.bmp", "lanok.bmp"},
      {"user1up.bmp", "user1down.bmp"}, {"user2up.bmp", "user2down.bmp"}};
  for (const auto& pair : pairs) {
    const QImage off = LoadPicture(QString::fromLatin1(pair[0]));
    const QImage on = LoadPicture(QString::fromLatin1(pair[1]));
    ASSERT_EQ(off.size(), on.size()) << pair[0];
    EXPECT_GT(MeanDifference(off, on), 4.0) << pair[0] << " looks like " << pair[1];
  }
}

TEST_F(DefaultSkin, TrayAndApplicationIconsExistAtTheirSizes) {
  for (int id : {128, 141, 142}) {
    for (int size : {16, 22, 32, 48}) {
      const QImage icon(ProgramDir() + QStringLiteral("/icons/icon_%1_%2.png").arg(id).arg(size));
      EXPECT_EQ(icon.size(), QSize(size, size)) << id << "@" << size;
      EXPECT_TRUE(icon.hasAlphaChannel()) << id << "@" << size;
    }
  }
  for (int size : {16, 32, 48, 256}) {
    const QImage icon(ProgramDir() + QStringLiteral("/icons/talon7x_%1.png").arg(size));
    EXPECT_EQ(icon.size(), QSize(size, size)) << size;
  }
}

}  // namespace
}  // namespace talon::test
