// TColSel state: the palette and its names, the selected entry, the palette
// loads and building the item list.
#include "pickers/QEL_Colsel.h"

namespace qel {

TColSel::TColSel(TComponent* AOwner) : TCustomComboBox(AOwner) {
  SetStyle(csOwnerDrawFixed);
  SetSorted(false);
  SetColor(clWindow);
  SetDropDownCount(8);
  // No OnColorNameChange here: the application cannot have set it yet.
  for (int i = 1; i <= MaxColors; ++i) {
    colors_[i] = PredefinedColors[i];
    names_[i] = ColorToString(colors_[i]);
  }
}

// ---------------------------------------------------------- properties ----

void TColSel::SetColorBarWidth(int v) {
  if (v >= 0) SetAndRefresh(colorBarWidth_, v);
}

void TColSel::SetNumColors(int v) {
  if (v < 1 || v > MaxColors) return;
  numColors_ = v;
  selected_ = 1;
  LoadColorsIntoComboList();
}

void TColSel::SetItemIndex(int v) {
  TCustomComboBox::SetItemIndex(v);
  if (GetItemIndex() >= 0) selected_ = GetItemIndex() + 1;
}

// Colours match by their RGB value, so a system colour finds the palette
// entry it shows as.
void TColSel::SetSelColor(TColor c) {
  TColor rgb = ColorToRGB(c);
  int found = 0;
  for (int j = 1; j <= numColors_ && !found; ++j)
    if (ColorToRGB(colors_[j]) == rgb) found = j;
  if (found) {
    selected_ = found;
    StoreName(found, GeneratedName(colors_[found]));
    TCustomComboBox::SetItemIndex(found - 1);
  } else {
    colors_[selected_] = c;
    StoreName(selected_, GeneratedName(rgb));
  }
  Refresh();
}

std::string TColSel::GetSelColorID() const { return GetItemIndex() >= 0 ? names_[selected_] : std::string(); }

// ------------------------------------------------------------- entries ----

void TColSel::SetArrayColor(int i, TColor c) {
  if (!Listed(i)) return;
  colors_[i] = c;
  StoreName(i, GeneratedName(c));
  Refresh();
}

void TColSel::SetArrayColorName(int i, const std::string& s) {
  if (!Listed(i)) return;
  StoreName(i, s);
  Refresh();
}

void TColSel::SetArrayAllowEdit(int i, bool b) {
  if (Listed(i)) SetAndRefresh(editable_[i], b);
}

void TColSel::SetAllEditFlags(bool b) {
  editable_.fill(b);
  Refresh();
}

std::string TColSel::GeneratedName(TColor c) {
  std::string name = ColorToString(c);
  if (OnColorNameChange) OnColorNameChange(this, name);
  return name;
}

void TColSel::StoreName(int i, const std::string& Name) {
  names_[i] = Name;
  if (i - 1 < Items()->Count()) Items()->Put(i - 1, Name);
}

// ---------------------------------------------------------------- list ----

void TColSel::LoadPalette(int First, int Count) {
  selected_ = 1;
  numColors_ = Count;
  for (int i = 1; i <= Count; ++i) {
    colors_[i] = PredefinedColors[First + i - 1];
    names_[i] = GeneratedName(colors_[i]);
  }
  LoadColorsIntoComboList();
}

void TColSel::LoadColorsIntoComboList() {
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (int i = 1; i <= numColors_; ++i) items->Add(names_[i]);
  items->EndUpdate();
  TCustomComboBox::SetItemIndex(selected_ - 1);
  Refresh();
}

void TColSel::Loaded() {
  TCustomComboBox::Loaded();
  LoadColorsIntoComboList();
}

}  // namespace qel
