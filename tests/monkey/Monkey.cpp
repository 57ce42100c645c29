#include "Monkey.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "../../examples/gallery/Gallery.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"

using namespace qel;

namespace monkey {

void TEventLog::Add(std::string Line) {
  char* slot = lines_[count_ % kKeep];
  std::snprintf(slot, sizeof lines_[0], "#%llu %s", static_cast<unsigned long long>(count_), Line.c_str());
  ++count_;
}

void TEventLog::DumpLast(int Fd, int N) const {
  N = N < kKeep ? N : kKeep;
  uint64_t first = count_ > uint64_t(N) ? count_ - N : 0;
  for (uint64_t i = first; i < count_; ++i) {
    const char* line = lines_[i % kKeep];
    ssize_t ignored = write(Fd, "  ", 2);
    ignored = write(Fd, line, std::strlen(line));
    ignored = write(Fd, "\n", 1);
    (void)ignored;
  }
}

namespace {
std::string FormName(TCustomForm* F) {
  std::string name = F->GetName().empty() ? F->ClassName() : F->GetName();
  return F == Application->MainForm() ? "main" : name;
}
std::string ShiftText(TShiftState S) {
  std::string out;
  if (S.Contains(ssShift)) out += "Shift+";
  if (S.Contains(ssCtrl)) out += "Ctrl+";
  if (S.Contains(ssAlt)) out += "Alt+";
  return out;
}
const char* ButtonName(TMouseButton B) { return B == mbLeft ? "left" : B == mbRight ? "right" : "middle"; }
}  // namespace

TMonkey::TMonkey(uint64_t Seed, uint64_t TimeBudgetMs, TEventLog& Log)
    : rnd_(Seed), log_(Log), timeBudgetMs_(TimeBudgetMs) {
  Headless().OnModal = [this](TCustomForm* F) { AnswerModal(F); };
  Headless().OnPump = [this] { DuringLongWork(); };
}

TMonkey::~TMonkey() {
  Headless().OnModal = nullptr;
  Headless().OnPump = nullptr;
}

// A user does not wait for a progress bar: clicks and keys arrive while the
// page works (the host does not ask again from inside this event).
void TMonkey::DuringLongWork() {
  if (!gallery::TPumping::Active() || !main_ || !rnd_.Chance(20)) return;
  Note("(during long work)");
  Step(main_, area_);
}

bool TMonkey::LongWorkAllowed(TControl* Target) {
  if (!Target || Target->GetTag() != gallery::kLongWorkTag) return true;
  if (events_ < nextLongWork_) return false;
  nextLongWork_ = events_ + kLongWorkEvery;
  return true;
}

void TMonkey::Note(const std::string& What) { log_.Add(What); }

TCustomForm* TMonkey::TopForm(TCustomForm* Main) const {
  const auto& forms = Application->Forms();
  TCustomForm* modal = Application->ModalForm();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    TCustomForm* f = *it;
    if (!f->Showing()) continue;
    if (modal && f != modal && !f->IsPopup()) continue;  // forms under a modal one take no input
    return f;
  }
  return modal ? modal : Main;
}

void TMonkey::Step(TCustomForm* Main, TRect Area) {
  ++events_;
  main_ = Main;
  area_ = Area;
  TCustomForm* top = TopForm(Main);
  // Now and then the user reaches past an open popup to the form below.
  TCustomForm* target = top->IsPopup() && rnd_.Chance(15) ? Main : top;
  try {
    int kind = rnd_.Below(100);
    if (kind < 45) MouseEvent(target, target == Main ? Area : TRect{0, 0, target->ClientWidth(), target->ClientHeight()});
    else if (kind < 85) KeyEvent();
    else {
      static const uint64_t steps[] = {1, 10, 16, 50, 100, 250, 500, 700};
      uint64_t ms = rnd_.Chance(5) ? 3000 : steps[rnd_.Below(8)];
      // Pages with busy timers cost real time per virtual second: the run
      // has a virtual time budget, and the clock stands still once it is spent.
      ms = std::min(ms, timeBudgetMs_ - timeSpentMs_);
      timeSpentMs_ += ms;
      Note("AdvanceTime(" + std::to_string(ms) + ")");
      Headless().AdvanceTime(ms);
    }
  } catch (...) {
    // Where a real host's event loop catches what an input handler raises.
    Application->HandleException(target);
  }
  if (AfterEvent) AfterEvent();
}

namespace {
void CollectShowing(TWinControl* Parent, std::vector<TControl*>& Out) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    if (!c->Showing()) continue;
    Out.push_back(c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) CollectShowing(w, Out);
  }
}
}  // namespace

void TMonkey::MouseEvent(TCustomForm* F, TRect Area) {
  // Most events aim at a control, the rest anywhere in the area.
  if (rnd_.Chance(65)) {
    std::vector<TControl*> controls;
    CollectShowing(F, controls);
    if (!controls.empty()) {
      TControl* c = controls[rnd_.Below(static_cast<int>(controls.size()))];
      TPoint topLeft = F->ScreenToClient(c->ClientToScreen({0, 0}));
      TRect r = IntersectRect(Bounds(topLeft.X, topLeft.Y, c->GetWidth(), c->GetHeight()), Area);
      if (!r.IsEmpty()) Area = r;
    }
  }
  auto x = [&] { return Area.Left + rnd_.Below(std::max(1, Area.Width())); };
  auto y = [&] { return Area.Top + rnd_.Below(std::max(1, Area.Height())); };
  int X = x(), Y = y();
  TShiftState shift;
  if (rnd_.Chance(10)) shift = shift + TShiftState{ssShift};
  if (rnd_.Chance(8)) shift = shift + TShiftState{ssCtrl};
  std::string where = FormName(F) + ", " + std::to_string(X) + ", " + std::to_string(Y);
  int kind = rnd_.Below(100);
  if (kind >= 25 && kind < 92 && !LongWorkAllowed(F->ControlAtPos({X, Y}, true))) kind = 0;  // a move instead
  if (kind < 25) {
    TShiftState s = leftHeld_ ? shift + TShiftState{ssLeft} : shift;
    Note("MoveTo(" + where + ", " + ShiftText(s) + (leftHeld_ ? "held" : "") + ")");
    robot_.MoveTo(F, X, Y, s);
  } else if (kind < 50) {
    TMouseButton b = rnd_.Chance(80) ? mbLeft : rnd_.Chance(70) ? mbRight : mbMiddle;
    Note("Click(" + where + ", " + ButtonName(b) + ", " + ShiftText(shift) + ")");
    leftHeld_ = false;
    robot_.Click(F, X, Y, b, shift);
  } else if (kind < 60) {
    Note("DoubleClick(" + where + ")");
    leftHeld_ = false;
    robot_.DoubleClick(F, X, Y);
  } else if (kind < 72) {
    int X2 = rnd_.Chance(50) ? X + rnd_.Below(81) - 40 : x(), Y2 = rnd_.Chance(50) ? Y + rnd_.Below(81) - 40 : y();
    int steps = 1 + rnd_.Below(6);
    Note("Drag(" + where + " -> " + std::to_string(X2) + ", " + std::to_string(Y2) + ", " +
         std::to_string(steps) + " steps, " + ShiftText(shift) + ")");
    leftHeld_ = false;
    robot_.Drag(F, X, Y, X2, Y2, steps, shift);
  } else if (kind < 84) {
    static const int deltas[] = {120, -120, 240, -240, 40, -40, 360, -360};
    int d = deltas[rnd_.Below(8)];
    Note("Wheel(" + where + ", " + std::to_string(d) + ", " + ShiftText(shift) + ")");
    robot_.Wheel(F, X, Y, d, shift);
  } else if (kind < 92) {
    // A press held over the next events (keys, timers, moves).
    Note("Press(" + where + ", left)");
    leftHeld_ = true;
    robot_.Press(F, X, Y, mbLeft, shift);
  } else if (kind < 97) {
    Note("Release(" + where + ", left)");
    leftHeld_ = false;
    robot_.Release(F, X, Y, mbLeft, shift);
  } else {
    Note("Leave(" + FormName(F) + ")");
    robot_.Leave(F);
  }
}

void TMonkey::KeyEvent() {
  struct K {
    uint16_t key;
    TShiftState shift;
    const char* name;
  };
  static const K keys[] = {
      {VK_LEFT, {}, "Left"},          {VK_RIGHT, {}, "Right"},        {VK_UP, {}, "Up"},
      {VK_DOWN, {}, "Down"},          {VK_LEFT, {ssShift}, "Left"},   {VK_RIGHT, {ssShift}, "Right"},
      {VK_UP, {ssShift}, "Up"},       {VK_DOWN, {ssShift}, "Down"},   {VK_LEFT, {ssCtrl}, "Left"},
      {VK_RIGHT, {ssCtrl}, "Right"},  {VK_TAB, {}, "Tab"},            {VK_TAB, {ssShift}, "Tab"},
      {VK_RETURN, {}, "Enter"},       {VK_ESCAPE, {}, "Escape"},      {VK_PRIOR, {}, "PageUp"},
      {VK_NEXT, {}, "PageDown"},      {VK_PRIOR, {ssCtrl}, "PageUp"}, {VK_NEXT, {ssCtrl}, "PageDown"},
      {VK_HOME, {}, "Home"},          {VK_END, {}, "End"},            {VK_HOME, {ssCtrl}, "Home"},
      {VK_END, {ssCtrl}, "End"},      {'C', {ssCtrl}, "C"},           {'V', {ssCtrl}, "V"},
      {'X', {ssCtrl}, "X"},           {'A', {ssCtrl}, "A"},           {'Z', {ssCtrl}, "Z"},
      {VK_F2, {}, "F2"},              {VK_F4, {}, "F4"},              {VK_DOWN, {ssAlt}, "Down"},
      {VK_UP, {ssAlt}, "Up"},         {VK_BACK, {}, "Backspace"},     {VK_DELETE, {}, "Delete"},
      {VK_INSERT, {}, "Insert"},      {VK_SPACE, {}, "Space"},        {VK_OEM_MINUS, {}, "Minus"},
      {VK_OEM_PERIOD, {}, "Period"},  {VK_OEM_COMMA, {}, "Comma"},    {VK_OEM_PLUS, {ssShift}, "Plus"},
      {VK_F10, {ssShift}, "F10"},
  };
  constexpr int nKeys = sizeof keys / sizeof keys[0];
  int kind = rnd_.Below(100);
  if (kind < 55) {
    const K& k = keys[rnd_.Below(nKeys)];
    TCustomForm* form = Application->ActiveForm();
    if ((k.key == VK_SPACE || k.key == VK_RETURN) && form && !LongWorkAllowed(form->GetActiveControl())) {
      Note("Key(" + std::string(k.name) + ") held back: long work");
      return;
    }
    Note("Key(" + ShiftText(k.shift) + k.name + ")");
    robot_.Key(k.key, k.shift);
  } else if (kind < 80) {
    char c = rnd_.Chance(50) ? char('a' + rnd_.Below(26)) : char('0' + rnd_.Below(10));
    bool upper = c >= 'a' && rnd_.Chance(20);
    std::string text(1, upper ? char(c - 32) : c);
    Note("Type(\"" + text + "\")");
    robot_.Type(text);
  } else if (kind < 92) {
    // Digits with a sign, a point or a comma: what number fields are given.
    static const char* texts[] = {"-1", "3.5", "2,75", "1e308", "99999999999", "0x1F", "12:30", "2024-02-30"};
    std::string text = texts[rnd_.Below(8)];
    Note("Type(\"" + text + "\")");
    robot_.Type(text);
  } else {
    static const char* texts[] = {"\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3\x9F", "\xE6\x97\xA5"};
    std::string text = texts[rnd_.Below(5)];
    Note("Type(UTF-8 " + std::to_string(text.size()) + " bytes)");
    robot_.Type(text);
  }
}

// Each turn of a modal loop: a few random events on the dialog, then an
// answer (Escape, Enter, or closing it) so that every dialog ends.
void TMonkey::AnswerModal(TCustomForm* Form) {
  // One counter per open modal form, innermost last; forms that ended are dropped.
  while (!modalTurns_.empty() && modalTurns_.back().first != Form &&
         std::any_of(modalTurns_.begin(), modalTurns_.end(), [&](const auto& m) { return m.first == Form; }))
    modalTurns_.pop_back();
  if (modalTurns_.empty() || modalTurns_.back().first != Form) {
    modalTurns_.push_back({Form, 0});
    Note("modal " + FormName(Form) + " opened");
  }
  int& turns = modalTurns_.back().second;
  ++turns;
  const int limit = 25;
  if (turns > limit + 3) {
    Note("modal " + FormName(Form) + ": ModalResult = mrCancel");
    Form->SetModalResult(mrCancel);
  } else if (turns > limit || rnd_.Chance(6)) {
    bool escape = rnd_.Chance(60);
    Note(std::string("modal answer: Key(") + (escape ? "Escape" : "Enter") + ")");
    try {
      robot_.Key(escape ? VK_ESCAPE : VK_RETURN);
    } catch (...) {
      Application->HandleException(Form);
    }
  } else {
    Step(Form, TRect{0, 0, Form->ClientWidth(), Form->ClientHeight()});
  }
  if (Form->GetModalResult() != mrNone && !modalTurns_.empty() && modalTurns_.back().first == Form)
    modalTurns_.pop_back();
}

}  // namespace monkey
