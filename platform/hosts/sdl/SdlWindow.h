// One SDL window showing one form: created when the form is shown, it
// follows the form's caption and bounds and shows its frame buffer through a
// streaming texture.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/Forms.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace qel {

/// One SDL window showing one form: it follows the form's caption and bounds and shows its frame buffer.
class TSdlWindow {
 public:
  explicit TSdlWindow(TCustomForm* Form);  ///< Raises Exception when SDL refuses
  /// Closes the window.
  ~TSdlWindow();
  TSdlWindow(const TSdlWindow&) = delete;
  TSdlWindow& operator=(const TSdlWindow&) = delete;

  /// SDL's id of the window.
  uint32_t Id() const { return id_; }
  /// The form shown.
  TCustomForm* Form() const { return form_; }
  /// The SDL window.
  SDL_Window* Window() const { return window_; }

  /// Shows the form's frame buffer, when it differs from what is on screen
  /// or the screen lost it (exposed, resized).
  void Present();
  /// Makes the next Present copy the frame buffer again.
  void Invalidate() { stale_ = true; }
  /// The window manager moved or resized the window: the form follows.
  ///@{
  void WindowMoved(int X, int Y);
  void WindowResized(int W, int H);
  ///@}
  /// The border style changed.
  void ApplyStyle();

 private:
  void FollowForm();  // caption and bounds set by code
  void EnsureTexture(int W, int H);
  TCustomForm* form_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  uint32_t id_ = 0;
  int texW_ = 0, texH_ = 0;
  TRect placed_{};  // the bounds the window has, as far as we know
  std::string title_;
  std::vector<uint32_t> shown_;  // the pixels on screen
  bool stale_ = true;
};

}  // namespace qel
