#include "platform/hosts/sdl/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {
bool Resizable(const TCustomForm* f) {
  return !f->IsPopup() && (f->GetBorderStyle() == bsSizeable || f->GetBorderStyle() == bsSizeToolWin);
}

uint32_t WindowFlags(const TCustomForm* f) {
  uint32_t flags = SDL_WINDOW_HIDDEN;
  // Popups are override-redirect windows on X11: no frame, no focus, on top.
  if (f->IsPopup())
    flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
  else if (f->GetBorderStyle() == bsNone) flags |= SDL_WINDOW_BORDERLESS;
  if (Resizable(f)) flags |= SDL_WINDOW_RESIZABLE;
  if (f->GetBorderStyle() == bsToolWindow || f->GetBorderStyle() == bsSizeToolWin) flags |= SDL_WINDOW_UTILITY;
  return flags;
}

// The window manager places forms that ask for a default position.
int PlaceCoordinate(const TCustomForm* f, int v) {
  TPosition p = f->GetPosition();
  bool wmPlaces = !f->IsPopup() && (p == poDefault || p == poDefaultPosOnly);
  return wmPlaces ? SDL_WINDOWPOS_UNDEFINED : v;
}

[[noreturn]] void Fail(const char* what) { throw Exception(std::string(what) + ": " + SDL_GetError()); }
}  // namespace

TSdlWindow::TSdlWindow(TCustomForm* Form) : form_(Form) {
  placed_ = Form->BoundsRect();
  title_ = Form->GetCaption();
  window_ = SDL_CreateWindow(title_.c_str(), PlaceCoordinate(Form, placed_.Left), PlaceCoordinate(Form, placed_.Top),
                             std::max(1, placed_.Width()), std::max(1, placed_.Height()), WindowFlags(Form));
  if (!window_) Fail("Cannot create a window");
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    SDL_DestroyWindow(window_);
    Fail("Cannot draw in a window");
  }
  id_ = SDL_GetWindowID(window_);
  SDL_ShowWindow(window_);
}

TSdlWindow::~TSdlWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
}

void TSdlWindow::ApplyStyle() {
  bool framed = !form_->IsPopup() && form_->GetBorderStyle() != bsNone;
  SDL_SetWindowBordered(window_, framed ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowResizable(window_, Resizable(form_) ? SDL_TRUE : SDL_FALSE);
}

void TSdlWindow::WindowMoved(int X, int Y) {
  placed_ = {X, Y, X + placed_.Width(), Y + placed_.Height()};
  form_->SetBounds(X, Y, form_->GetWidth(), form_->GetHeight());
}

void TSdlWindow::WindowResized(int W, int H) {
  placed_.Right = placed_.Left + W;
  placed_.Bottom = placed_.Top + H;
  form_->SetBounds(form_->GetLeft(), form_->GetTop(), W, H);
  stale_ = true;
}

void TSdlWindow::FollowForm() {
  if (form_->GetCaption() != title_) {
    title_ = form_->GetCaption();
    SDL_SetWindowTitle(window_, title_.c_str());
  }
  TRect b = form_->BoundsRect();
  if (b.Width() != placed_.Width() || b.Height() != placed_.Height()) {
    SDL_SetWindowSize(window_, std::max(1, b.Width()), std::max(1, b.Height()));
    stale_ = true;
  }
  if (b.Left != placed_.Left || b.Top != placed_.Top) SDL_SetWindowPosition(window_, b.Left, b.Top);
  placed_ = b;
}

void TSdlWindow::EnsureTexture(int W, int H) {
  if (texture_ && W == texW_ && H == texH_) return;
  if (texture_) SDL_DestroyTexture(texture_);
  // 0x00RRGGBB words are SDL's RGB888 (XRGB) in the machine's byte order.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, W, H);
  if (!texture_) Fail("Cannot create a texture");
  texW_ = W;
  texH_ = H;
  stale_ = true;
}

void TSdlWindow::Present() {
  FollowForm();
  const TBitmap& frame = form_->FrameBuffer();
  int w = frame.GetWidth(), h = frame.GetHeight();
  if (w <= 0 || h <= 0) return;
  EnsureTexture(w, h);
  size_t count = size_t(w) * h;
  const uint32_t* pixels = frame.ScanLine(0);
  // Most loop turns change nothing on screen (a mouse move, a timer that
  // paints elsewhere); comparing is far cheaper than uploading and presenting.
  if (!stale_ && shown_.size() == count && std::memcmp(shown_.data(), pixels, count * 4) == 0) return;
  shown_.assign(pixels, pixels + count);
  stale_ = false;
  SDL_UpdateTexture(texture_, nullptr, pixels, w * 4);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

}  // namespace qel
