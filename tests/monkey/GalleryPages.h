// Scripted checks of the gallery's pages, run by qel-monkey before its
// random user: every page fits the default window, and the "Browsers" page
// says so when a folder has no pictures. Returns the number of failed checks.
#pragma once

namespace monkey {

int CheckGalleryPages();

}  // namespace monkey
