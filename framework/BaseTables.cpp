// Constants, name tables and the small enumeration helpers of the base library.
#include "framework/QEL_Base.h"

namespace qel {

const std::array<std::array<const char*, 13>, 5> MonthShort = {{
    {"", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"", "Jan", "Feb", "M\u00e4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"", "janv", "f\u00e9vr", "mars", "avr", "mai", "juin", "juil", "ao\u00fbt", "sept", "oct", "nov", "d\u00e9c"},
    {"", "ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
}};

const std::array<std::array<const char*, 13>, 5> MonthLong = {{
    {"", "January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"", "January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"", "Januar", "Februar", "M\u00e4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"", "janvier", "f\u00e9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\u00fbt", "septembre",
     "octobre", "novembre", "d\u00e9cembre"},
    {"", "enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre",
     "octubre", "noviembre", "diciembre"},
}};

const std::array<std::array<const char*, 7>, 5> WeekDayShort = {{
    {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
    {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
    {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
    {"lun", "mar", "mer", "jeu", "ven", "sam", "dim"},
    {"lun", "mar", "mi\u00e9", "jue", "vie", "s\u00e1b", "dom"},
}};

const std::array<TColor, 48> PredefinedColors = {
    clBlack,  // index 0 is unused
    // 1..16: the VGA colours
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver, clRed, clLime,
    clYellow, clBlue, clFuchsia, clAqua, clWhite,
    // 17..20: extended colours
    clMoneyGreen, clSkyBlue, clCream, clMedGray,
    // 21..47: system colours
    clScrollBar, clBackground, clActiveCaption, clInactiveCaption, clMenu, clWindow, clWindowFrame,
    clMenuText, clWindowText, clCaptionText, clActiveBorder, clInactiveBorder, clAppWorkSpace,
    clHighlight, clHighlightText, clBtnFace, clBtnShadow, clGrayText, clBtnText,
    clInactiveCaptionText, clBtnHighlight, cl3DDkShadow, cl3DLight, clInfoText, clInfoBk,
    clHotLight, clGradientActiveCaption};

const std::array<const char*, MaxMScaleType + 1> MScaleTypeNames = {
    "undefined", "binary", "nominal", "ordinal", "interval", "ratio"};

int FrameWidth(TFrameStyle Style) {
  switch (Style) {
    case fsNone: return 0;
    case fsSimple: case fsLowered: case fsRaised: return 1;
    case fsEmbossed: case fsEngraved: return 2;
  }
  return 0;
}

TColor SchemeDarkColor(TColorScheme Scheme) { return Scheme == csBlackWhite ? clGray : clBtnShadow; }
TColor SchemeLightColor(TColorScheme Scheme) { return Scheme == csBlackWhite ? clWhite : clBtnHighlight; }

bool TSchemeColors::Set(TColorScheme Value) {
  if (Value == Scheme) return false;
  *this = {Value, SchemeDarkColor(Value), SchemeLightColor(Value)};
  return true;
}

bool ApplyLogicOp(TLogicOp Op, bool A, bool B) {
  switch (Op) {
    case loAND: return A && B;
    case loOR: return A || B;
    case loXOR: return A != B;
    case loNAND: return !(A && B);
    case loNOR: return !(A || B);
    case loXNOR: return A == B;
  }
  return A && B;
}

std::string ComponentErrorMessage(const std::string& Name, const std::string& Ending) {
  return "Component \"" + Name + "\"" + Ending;
}

}  // namespace qel
