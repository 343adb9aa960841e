#include "widgets/portable/BarGeometry.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace tarnel {

int BarRange(int lower, int upper) {
  const long long span = std::llabs(static_cast<long long>(upper) - lower);
  if (span == 0) return 1;
  return span > INT_MAX ? INT_MAX : static_cast<int>(span);
}

int ClampBarPosition(int position, int lower, int upper) {
  if (position < lower) return lower;
  if (position > upper) return upper;
  return position;
}

int BarFillWidth(int clientWidth, int lower, int position, int range) {
  if (clientWidth <= 0) return 0;
  if (range == 0) range = 1;
  // Kept in floating point until it is known to fit: extreme ranges must not overflow an int.
  const double percent = std::trunc((std::fabs(static_cast<double>(lower)) + position) * (100.0 / range));
  // The single-precision step is part of the rule: it rounds 28.999... up to 29.
  const float fill = static_cast<float>(clientWidth / 100.0 * percent);
  const double truncated = std::trunc(static_cast<double>(fill));
  if (truncated > clientWidth) return clientWidth - 1;
  return truncated > 0 ? static_cast<int>(truncated) : 0;
}

BarStrip BarStripSize(int clientWidth, int clientHeight, int lower, int position, int range) {
  const int right = BarFillWidth(clientWidth, lower, position, range);
  BarStrip strip = {right - 2, clientHeight - 2};
  if (strip.width < 0) strip.width = 0;
  if (strip.height < 0) strip.height = 0;
  return strip;
}

int TileCount(int extent, int tile) {
  if (extent <= 0 || tile <= 0) return 0;
  return extent / tile + (extent % tile != 0 ? 1 : 0);
}

uint64_t DibColourCount(uint32_t coloursUsed, uint16_t bitsPerPixel) {
  if (coloursUsed != 0) return coloursUsed;
  if (bitsPerPixel >= 64) return UINT64_MAX;
  return uint64_t{1} << bitsPerPixel;
}

}  // namespace tarnel
