/// \file
/// TColSel: a drop-down list of colours, each item a swatch and the colour's
/// name. The palette holds 47 entries (numbered 1..47) taken from
/// PredefinedColors; the first NumColors are listed. An entry marked editable
/// can be redefined through the colour dialog: a click on its swatch in the
/// closed box opens the dialog before the list drops down.
///
/// Entry numbers and the list: item k (from 0) shows entry k + 1. The list is
/// built by LoadColorsIntoComboList, by setting NumColors, by the palette
/// loads and by Loaded; a selector made at run time lists nothing until then.
///
/// Names: ColorToString of the colour (the platform's constant name, else
/// "$00BBGGRR"), passed through OnColorNameChange; the item texts follow the
/// names, so typing a letter finds the names the user sees.
///
/// Files: ColSel.cpp (palette, names, selection, list), ColSelItem.cpp
/// (drawing an item, the mouse and the colour dialog).
#pragma once
#include <array>
#include <functional>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Fires when a colour's name is generated; the handler may change the name.
using TOnColorNameChangeEvent = std::function<void(TObject* Sender, std::string& ColorName)>;

/// A drop-down list of colours, each item a swatch and the colour's name; editable entries can be redefined through the colour dialog.
///
/// From examples/calendar/main.cpp (`qel-calendar`):
/// \snippet calendar/main.cpp colour
/// \image html pickers.png "The gallery's page Pickers"
class TColSel : public TCustomComboBox {
 public:
  /// Size of the palette.
  static constexpr int MaxColors = 47;

  /// A selector of 20 colours (the list is filled by Loaded or LoadColorsIntoComboList).
  explicit TColSel(TComponent* AOwner);

  // --- properties ---
  /// Width of the swatch in pixels.
  ///@{
  int GetColorBarWidth() const { return colorBarWidth_; }
  void SetColorBarWidth(int v);  ///< Below 0: ignored
  ///@}
  /// Number of listed entries.
  int GetNumColors() const { return numColors_; }
  /// 1..MaxColors: selects entry 1 and rebuilds the list; others ignored.
  void SetNumColors(int v);
  /// The selected entry's colour. Writing selects the first listed entry of
  /// the same RGB value, or else recolours (and renames) the selected entry.
  ///@{
  TColor GetSelColor() const { return colors_[size_t(selected_)]; }
  void SetSelColor(TColor c);
  ///@}
  /// The selected entry's number (1..NumColors).
  int GetSelectedEntry() const { return selected_; }
  /// The item the program selects is the selected entry too.
  void SetItemIndex(int v);

  // --- entries 1..NumColors (others are ignored; getters give 0, false, "") ---
  /// Colour of entry i.
  ///@{
  TColor GetArrayColor(int i) const { return Listed(i) ? colors_[size_t(i)] : TColor(0); }
  void SetArrayColor(int i, TColor c);
  ///@}
  /// Name of entry i.
  std::string GetArrayColorName(int i) const { return Listed(i) ? names_[size_t(i)] : std::string(); }
  /// Stores the name as given (no OnColorNameChange).
  void SetArrayColorName(int i, const std::string& s);
  /// Whether entry i can be redefined through the colour dialog.
  ///@{
  bool GetArrayAllowEdit(int i) const { return Listed(i) && editable_[size_t(i)]; }
  void SetArrayAllowEdit(int i, bool b);
  ///@}
  /// All 47 editable flags, listed or not.
  void SetAllColorEditFlags() { SetAllEditFlags(true); }
  /// Clears all 47 editable flags.
  void ResetAllColorEditFlags() { SetAllEditFlags(false); }
  /// The selected entry's name; "" while the list has no current item.
  std::string GetSelColorID() const;

  // --- palettes: select entry 1, name every loaded entry, rebuild the list ---
  void LoadBasicVGAPalette() { LoadPalette(1, 16); }       ///< 16 entries
  void LoadExtendedPalette() { LoadPalette(1, 20); }       ///< 20 entries
  void LoadStandardPalette() { LoadPalette(1, 47); }       ///< 47 entries
  /// Loads the 27 system colours.
  void LoadWindowsSystemPalette() { LoadPalette(21, 27); } // the 27 system colours
  /// Rebuilds the list from the first NumColors entries.
  void LoadColorsIntoComboList();

  /// True while the last mouse move over the box was left of ColorBarWidth;
  /// false again once the mouse leaves the box, so that a key opening the
  /// list later does not open the dialog.
  bool MouseOnSwatch() const { return mouseOnSwatch_; }

  /// See TOnColorNameChangeEvent.
  TOnColorNameChangeEvent OnColorNameChange;

 protected:
  /// Builds the list once loading is done.
  void Loaded() override;
  /// Draws an entry's swatch and name.
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  /// Takes the clicked item as the selected entry.
  void Click() override;
  /// Opens the colour dialog instead when the click was on an editable swatch.
  void DropDown() override;
  /// Tracks whether the mouse is over the swatch.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WndProc(TMessage& Message) override;

 private:
  bool Listed(int i) const { return i >= 1 && i <= numColors_; }
  // Every setter that only changes how items look goes through here.
  template <class T>
  void SetAndRefresh(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Refresh();
  }
  void SetAllEditFlags(bool b);
  void LoadPalette(int First, int Count);
  // ColorToString of c, passed through OnColorNameChange.
  std::string GeneratedName(TColor c);
  // Stores entry i's name and keeps its item's text in step.
  void StoreName(int i, const std::string& Name);
  void RedefineSelectedColor();
  void DrawSwatch(TCanvas* C, int Entry, const TRect& Rect);
  void DrawEditMark(TCanvas* C, TColor Color, const TRect& Rect);

  std::array<TColor, MaxColors + 1> colors_{};  // [0] unused: entries count from 1
  std::array<std::string, MaxColors + 1> names_;
  std::array<bool, MaxColors + 1> editable_{};
  int numColors_ = 20;
  int selected_ = 1;
  int colorBarWidth_ = 30;
  bool mouseOnSwatch_ = false;
};

QEL_API_END
}  // namespace qel
