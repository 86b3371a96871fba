#pragma once
// User colour modes: four per-key colour sets per profile, each with a paint colour, a base
// colour and a tool, kept in one INI-style file per profile and sent to the keyboard's colour
// slot of the mode's number.
//
// Keys taking part: the key buttons, G1-G5 and Fn, by LED. Keys without a place in the
// 140-slot colour table (G6-G9, the right Win key, the D keys) take no part: they are never
// painted, stored or sent, so they cannot spill into another mode's slot.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/lighting.h"

namespace talon {

inline constexpr int kUserModes = 4;

// What painting and choosing modes does to widgets.
class UserColourPort {
 public:
  virtual ~UserColourPort() = default;
  // The user-mode combobox is emptied and filled with these names.
  virtual void SetModeNames(const std::array<std::string, kUserModes>& names) = 0;
  // One item is replaced in place (the user is editing it).
  virtual void SetModeName(int mode, const std::string& name) = 0;
  // The user group shows a mode: combobox selection, the two colour buttons, the tool pictures.
  virtual void ShowMode(int mode, Colour paint, Colour base, int tool) = 0;
  virtual void TintKey(int led, Colour colour) = 0;
  // In lighting mode the key picture shows the profile's colours.
  virtual void ShowKeyColours(int profile) = 0;
};

class UserColourModes {
 public:
  UserColourModes(LightingModel& lighting, UserColourPort& port, std::filesystem::path user_folder,
                  std::filesystem::path default_file);

  // "UserDengColor_<profile>.userd" in the per-user folder.
  std::filesystem::path FileOf(int profile) const;

  void LoadUserMode(int profile);
  void SelectUserMode(int mode);
  void RenameUserMode(const std::string& name);
  void FillUserModeNames(int profile);
  // A key click in lighting mode; only while the user colour effect is selected.
  void PaintLed(int led);
  void SetPaintColour(Colour colour);
  void SetBaseColour(Colour colour);
  void SetTool(int tool);
  // For every key and profile: painted with the base colour or not.
  void RecomputeBaseFlags();
  // Copies the default file over the current profile's file and reloads it.
  bool RestoreDefaultFile();

  // The user group shows the current mode's state.
  void ShowMode();

  int mode() const { return lighting_.colour_slot(); }
  int tool() const { return tool_; }
  Colour paint_colour() const { return paint_colour_; }
  Colour base_colour() const { return base_colour_; }
  bool base_flag(int profile, int led) const;
  // The LEDs of the keys taking part, in the order they are visited.
  static const std::vector<int>& Leds();

 private:
  void WriteToolAndColours(int profile);

  LightingModel& lighting_;
  UserColourPort& port_;
  std::filesystem::path user_folder_;
  std::filesystem::path default_file_;
  int tool_ = 0;
  Colour paint_colour_ = 0;
  Colour base_colour_ = 0;
  std::array<std::array<bool, kLedSlots>, kLightingProfiles> base_flags_{};
};

}  // namespace talon
