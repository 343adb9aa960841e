// Value-to-pixel arithmetic of the bitmap progress bar and the colour rule of its palette.
// Platform-free so that it is checked natively as well.
#pragma once

#include <cstdint>

namespace tarnel {

// |upper - lower|, or 1 when the ends are equal; saturates at the largest int.
int BarRange(int lower, int upper);

// position held within lower..upper.
int ClampBarPosition(int position, int lower, int upper);

// Right edge, in client pixels, of the filled part of a bar clientWidth wide before the
// one-pixel shrink: percent = (|lower| + position) * (100.0 / range) truncated,
// fill = clientWidth / 100.0 * percent as a float truncated; a fill past the right edge
// gives clientWidth - 1. Never negative.
int BarFillWidth(int clientWidth, int lower, int position, int range);

// Size of the tiled strip the bar copies to the window: the filled rectangle shrunk by one
// pixel on each side. Zero width or height means nothing is drawn.
struct BarStrip {
  int width;
  int height;
  bool Empty() const { return width <= 0 || height <= 0; }
};
BarStrip BarStripSize(int clientWidth, int clientHeight, int lower, int position, int range);

// Whole tiles of size tile needed to cover extent (the last one may be cut off).
int TileCount(int extent, int tile);

// Colours a device-independent bitmap describes: its count of colours used when non-zero,
// else 2 to the power of its bits per pixel.
uint64_t DibColourCount(uint32_t coloursUsed, uint16_t bitsPerPixel);

// Bitmaps with at most 256 colours get a palette from their own colour table; the others
// get the halftone palette.
constexpr uint64_t kMaxColourTable = 256;
inline bool UsesOwnColourTable(uint64_t colours) { return colours <= kMaxColourTable; }

}  // namespace tarnel
