// TEMPORARY: stands in for the three declarations of framework/QEL_Base.h
// that the meter needs, until that header is on the main branch. Replace the
// include of this file by "framework/QEL_Base.h" and delete it.
#pragma once
#include <cstdint>

#include "platform/graphics/Colors.h"

namespace qel {
enum TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
enum TColorScheme : uint8_t { csBlackWhite, csSystem };
enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };
inline TColor SchemeDarkColor(TColorScheme s) { return s == 0 ? TColor(0x808080) : clBtnShadow; }
inline TColor SchemeLightColor(TColorScheme s) { return s == 0 ? TColor(0xFFFFFF) : clBtnHighlight; }
}  // namespace qel
