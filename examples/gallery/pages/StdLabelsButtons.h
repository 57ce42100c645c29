// The labels and buttons section of the "Standard controls" page.
#pragma once
#include "platform/controls/Controls.h"

namespace gallery {

// Builds labels, speed buttons, push buttons and hinted controls inside
// Area (panel client coordinates); returns the bottom of what it used.
int BuildLabelsAndButtons(qel::TWinControl* Panel, qel::TRect Area);

}  // namespace gallery
