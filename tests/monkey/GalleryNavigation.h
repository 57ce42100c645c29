// Scripted checks of the gallery's own navigation (search field, Enter,
// Escape, Ctrl+Page Down / Up, a hint on every page, the table editor
// page opening with whole headings), run by qel-monkey
// before its random user. Returns the number of failed checks.
#pragma once

namespace monkey {

int CheckGalleryNavigation();

}  // namespace monkey
