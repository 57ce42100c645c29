// TCustomMemo and TMemo: multi-line editing on the edit's behaviour. Lines
// end with '\n' (also in Text); Lines is a live view of the text, so the two
// never disagree. No word wrap and no scroll bars: the view scrolls to keep
// the caret visible.
#pragma once
#include <memory>

#include "platform/rtl/StringList.h"
#include "platform/stdctrls/Edit.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TCustomMemo;

/// The memo's lines. An empty last line (after a final line break) is not
/// counted, as the platform's memo does. Every change fires the memo's
/// OnChange, once for all between BeginUpdate and EndUpdate.
class TMemoStrings : public TStrings {
 public:
  /// The lines of Memo.
  explicit TMemoStrings(TCustomMemo* Memo) : memo_(Memo) {}
  int Count() const override;
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;

 protected:
  /// Holds the changes back until the last EndUpdate.
  void SetUpdateState(bool Updating) override;

 private:
  const TTextEditModel& Current() const;
  void Store(const std::string& Text);
  std::string Before(int Line) const;  // the text before the start of Line
  std::string From(int Line) const;    // the text from the start of Line
  TCustomMemo* memo_;
  TTextEditModel pending_;
  bool updating_ = false;
};

/// A multi-line text edit.
class TCustomMemo : public TCustomEdit {
 public:
  /// An empty memo, 185 x 89 pixels.
  explicit TCustomMemo(TComponent* AOwner);
  /// The text as lines.
  TStrings* Lines() { return lines_.get(); }
  /// Whether Enter inserts a line break.
  ///@{
  bool GetWantReturns() const { return editor_.wantReturns; }
  void SetWantReturns(bool v) { editor_.wantReturns = v; }
  ///@}
  /// Whether Tab inserts a tab.
  ///@{
  bool GetWantTabs() const { return editor_.wantTabs; }
  void SetWantTabs(bool v) { editor_.wantTabs = v; }
  ///@}
  /// The caret's line and column (0-based).
  TPoint CaretPos() const;

 protected:
  /// The area inside the border.
  TRect TextArea() override;
  /// The keys the memo wants (all, with Tab when WantTabs).
  intptr_t DialogCode() const override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
};

/// A memo (see TCustomMemo).
class TMemo : public TCustomMemo {
 public:
  /// An empty memo.
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

QEL_API_END
}  // namespace qel
