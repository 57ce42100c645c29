// Sample pictures for the "Browsers" page, written once per run into a
// folder of their own under the system's temporary directory. The folder is
// this program's alone (another gallery running makes its own) and is
// removed when the program ends.
#pragma once
#include <string>

namespace gallery {

// Writes (or rewrites) the samples and returns their folder: drawings of
// several sizes and shapes as PNG and BMP, the seven-segment resources, and
// two subfolders, one with more pictures and one empty.
std::string WriteSampleImages();

}  // namespace gallery
