// Sample pictures for the "Browsers" page, written once into a folder of
// their own under the system's temporary directory.
#pragma once
#include <string>

namespace gallery {

// Writes (or rewrites) the samples and returns their folder: drawings of
// several sizes and shapes as PNG and BMP, the seven-segment resources, and
// two subfolders, one with more pictures and one empty.
std::string WriteSampleImages();

}  // namespace gallery
