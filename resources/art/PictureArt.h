// The artwork behind the library's bitmap resources. Each picture family is
// one file in this folder that registers its pictures; the drawing program
// (qel-draw-resources) writes every registered picture to
// resources/<name in lower case>.png, and the build embeds those files under
// the upper-cased name.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"

namespace qel::art {

struct TPicture {
  std::string Name;  // the resource name, e.g. "SEGHORZ"
  int Width, Height;
  // Draws on a white canvas of the picture's size.
  std::function<void(TCanvas& Canvas)> Draw;
  // False: pure black on white (pictures that are coloured in by flood fill).
  bool Coloured = false;
};

// Every registered picture, in registration order.
const std::vector<TPicture>& Pictures();

// Registers a family of pictures at start-up:
//   const art::TFamily family{{{"SEGDOT", 38, 38, DrawDot}, ...}};
struct TFamily {
  explicit TFamily(std::vector<TPicture> Members);
};

// The picture drawn on a fresh white bitmap.
std::unique_ptr<TBitmap> Render(const TPicture& Picture);

// "resources/seghorz.png" for "SEGHORZ" under Folder.
std::string FileNameOf(const std::string& Folder, const TPicture& Picture);

}  // namespace qel::art
