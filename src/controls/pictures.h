#pragma once

#include <QImage>

// The pictures the controls and pages show, drawn by tools/make-pictures and compiled in.
// Each call decodes afresh; a picture that fails to decode is null and reported on stderr.
namespace Pictures {
QImage AlgorithmStrip(); // 576 x 78: algorithm k + 1 at glyph k of 8
QImage WaveStrip();      // 640 x 87: wave shape k at glyph k of 8
QImage ValueButton();    // 50 x 20, behind the memory-lock and effect-type fields
QImage MultipartKnob();  // the face of the multipart page's knobs
QImage DonateButton();
QImage Wallpaper(); // 791 x 687, the patch page's background (JPEG, decoded with libjpeg)
QImage Splash();    // 779 x 563 (JPEG, decoded with libjpeg)
} // namespace Pictures
