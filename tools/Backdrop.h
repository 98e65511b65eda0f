#pragma once
// The installer window's backdrop, drawn in code: a soft warm gradient with a
// dotted loop pattern above and gentle waves below. The band in the middle,
// where the window's pale green button sits, is left plain.

#include <string>

namespace demo {

inline constexpr int kBackdropWidth = 333;
inline constexpr int kBackdropHeight = 455;
// The rows the button covers, kept free of decoration.
inline constexpr int kCalmBandTop = 190;
inline constexpr int kCalmBandBottom = 265;

// JPEG bytes of the backdrop.
std::string backdropJpeg();

} // namespace demo
