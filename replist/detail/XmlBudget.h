// How much a report list read from XML may cost. A block's declared
// dimensions are trusted only as far as the block's own bytes back them:
// any list up to XmlFreeFootprint bytes of memory, beyond that at most
// XmlFootprintPerByte bytes per byte of the block. So a short hostile block
// cannot make the reader allocate gigabytes, and memory stays linear in the
// input. The writer adds blank lines to a block that would otherwise be too
// short for its list (a large, mostly empty one), so whatever it saves loads.
#pragma once
#include <cstdint>

namespace qel {

/// Memory any list may take, whatever its block's size.
constexpr int64_t XmlFreeFootprint = int64_t(8) << 20;
/// Memory a list may take per byte of its block beyond that.
constexpr int64_t XmlFootprintPerByte = 64;

/// Bytes a TRLData of that size holds for its cells and per-row and
/// per-column bookkeeping (the storage keeps one row even for none).
double XmlListFootprint(int Cols, int Rows);
/// Whether a block of BlockBytes backs a list of that size.
bool XmlBlockBacksList(int Cols, int Rows, int64_t BlockBytes);
/// Bytes of room a block of BlockBytes must add to back its list with a
/// twofold margin (so that some reformatting of the file does no harm).
int64_t XmlRoomNeeded(int Cols, int Rows, int64_t BlockBytes);

}  // namespace qel
