// TMiniCal holidays: the Easter computus, the name tables of the default
// fixed holidays and of the movable feasts, CheckHoliday and the list.
#include <algorithm>

#include "framework/QEL_Containers.h"
#include "pickers/QEL_MiniCal.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Utf8.h"

namespace qel {

namespace {

// Floored division and modulo, so that the computus stays within March and
// April for every year a caller may pass.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t FloorMod(int64_t a, int64_t b) { return a - b * FloorDiv(a, b); }

struct FixedHoliday {
  int day, month;
  std::array<const char*, 4> names;  // English, German, French, Spanish
};

const std::array<FixedHoliday, 8> DefaultHolidays = {{
    {25, 12, {"Christmas Day", "Weihnachten", "No\u00ebl", "Navidad"}},
    {26, 12, {"Boxing Day", "Stephanitag", "Jour de boxe", "D\u00eda de San Esteban"}},
    {1, 1, {"New Year's Day", "Neujahrstag", "Nouvel An Jour", "D\u00eda de A\u00f1o Nuevo"}},
    {6, 1, {"Epiphany", "Hl. Drei K\u00f6nige", "\u00c9piphanie", "Epifan\u00eda"}},
    {15, 8, {"Assumption of Mary", "Maria Himmelfahrt", "Assomption", "Asunci\u00f3n"}},
    {1, 11, {"All Saints", "Allerheiligen", "La Toussaint", "D\u00eda de Todos los Santos"}},
    {8, 12, {"Immaculate Conception", "Maria Empf\u00e4ngnis", "Immacul\u00e9e Conception",
             "Inmaculada Concepci\u00f3n"}},
    {1, 5, {"Labor Day", "Tag der Arbeit", "F\u00eate du Travail", "D\u00eda del Trabajo"}},
}};

struct MovableFeast {
  int offset;  // days after Easter Sunday
  std::array<const char*, 4> names;
};

const std::array<MovableFeast, 6> MovableFeasts = {{
    {0, {"Easter Day", "Ostersonntag", "Le jour de P\u00e2ques", "Domingo de Resurrecci\u00f3n"}},
    {1, {"Easter Monday", "Ostermontag", "Lundi de P\u00e2ques", "Lunes de Pascua"}},
    {39, {"Ascension Day", "Christi Himmelfahrt", "Ascension du Christ", "Ascensi\u00f3n de Cristo"}},
    {49, {"Pentecost", "Pfingstsonntag", "Dimanche de Pentec\u00f4te", "Domingo de Pentecost\u00e9s"}},
    {50, {"Whit Monday", "Pfingstmontag", "Lundi de Pentec\u00f4te", "Lunes de Pentecost\u00e9s"}},
    {60, {"Corpus Christi", "Fronleichnam", "Corpus Christi", "Corpus Cristi"}},
}};

// Days from 1 March (March d -> d) to the 1st of months 3..6, less one.
constexpr std::array<int, 7> DaysBeforeMonthFromMarch = {0, 0, 0, 0, 31, 61, 92};

constexpr int MaxHolidayNameLength = 255;

}  // namespace

// Lichtenberg's form of the Gregorian computus.
void CalcEasterSunday(int Year, int& Day, int& Month) {
  const int64_t y = Year;
  const int64_t k = FloorDiv(y, 100), a = FloorMod(y, 19);
  const int64_t q = FloorDiv(3 * k + 3, 4);
  const int64_t d = FloorMod(19 * a + q - FloorDiv(8 * k + 13, 25) + 15, 30);
  const int64_t g = 21 + d - (a / 11 + d) / 29;  // the Easter full moon as a day of March
  const int64_t s = FloorMod(y + FloorDiv(y, 4) - q + 2, 7);
  const int64_t e = g + 7 - FloorMod(g + s - 7, 7);  // Easter Sunday as a day of March
  Month = e >= 32 ? 4 : 3;
  Day = static_cast<int>(e >= 32 ? e - 31 : e);
}

int TMiniCal::LanguageIndex() const {
  return language_ >= lgEnglish && language_ <= lgSpanish ? language_ : lgEnglish;
}

bool TMiniCal::CheckHoliday(int Year, int Month, int Day, std::string& Name) const {
  Name.clear();
  for (int row = 1; row <= holidays_->GetNrOfRows(); ++row) {
    int y = holidays_->GetVal(3, row);
    if (holidays_->GetVal(1, row) == Day && holidays_->GetVal(2, row) == Month && (y == RepeatingYear || y == Year)) {
      Name = holidayNames_->Get(row - 1);
      return true;
    }
  }
  if (!showMovableHolidays_ || Month < 3 || Month > 6) return false;
  int easterDay = 0, easterMonth = 0;
  CalcEasterSunday(Year, easterDay, easterMonth);
  int easter = easterDay + DaysBeforeMonthFromMarch[easterMonth];
  int diff = Day + DaysBeforeMonthFromMarch[Month] - easter;
  for (const MovableFeast& f : MovableFeasts)
    if (f.offset == diff) {
      Name = f.names[LanguageIndex() - 1];
      return true;
    }
  return false;
}

// The name goes first and is taken back when the dates cannot grow: running
// out of memory at either step leaves names and dates paired.
void TMiniCal::AppendHoliday(int Day, int Month, int Year, const std::string& Name) {
  int row = holidays_->GetNrOfRows() + 1;
  holidayNames_->Add(Utf8Left(Name, MaxHolidayNameLength));
  try {
    holidays_->SetNRows(row);
  } catch (...) {
    holidayNames_->Delete(holidayNames_->Count() - 1);
    throw;
  }
  holidays_->SetVal(1, row, Day);
  holidays_->SetVal(2, row, Month);
  holidays_->SetVal(3, row, Year);
}

// The 8 defaults named in the current language; added holidays are dropped.
void TMiniCal::ResetHolidays() {
  holidays_->Resize(3, 0);
  holidayNames_->Clear();
  for (const FixedHoliday& h : DefaultHolidays) AppendHoliday(h.day, h.month, RepeatingYear, h.names[LanguageIndex() - 1]);
}

void TMiniCal::AddHoliday(int Day, int Month, int Year, const std::string& Name) {
  AppendHoliday(Day, Month, Year, Name);
  UpdateCal();
  Repaint();
}

void TMiniCal::AddRepeatHoliday(int Day, int Month, const std::string& Name) {
  AddHoliday(Day, Month, RepeatingYear, Name);
}

void TMiniCal::ClearHolidayList() {
  holidays_->Resize(3, 0);
  holidayNames_->Clear();
  UpdateCal();
  Repaint();
}

int TMiniCal::GetNumHolidays() const { return holidays_->GetNrOfRows(); }

bool TMiniCal::RetrieveHoliday(int Index, int& Day, int& Month, int& Year, bool& Repeating,
                               std::string& Name) const {
  if (Index < 1 || Index > GetNumHolidays()) return false;
  Day = holidays_->GetVal(1, Index);
  Month = holidays_->GetVal(2, Index);
  Year = holidays_->GetVal(3, Index);
  Repeating = Year == RepeatingYear;
  Name = holidayNames_->Get(Index - 1);
  return true;
}

}  // namespace qel
