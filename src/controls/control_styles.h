#pragma once

class QImage;
class TKnob;
class Tmbadsr2;
class Tmbgrafsw;
class TTransparentButton;
class TWallpaper;

// The settings the pages give their controls, in one place for the window and the gallery.
// Each sets the control's size first, since some settings are limited by it.

// A patch page knob, 75 x 75: transparent face, a red dot pointer, bold yellow value text, the
// rings only while hovered or focused.
void stylePatchKnob(TKnob& knob);
// A multipart page knob, 50 x 50, on the given face picture.
void styleMultipartKnob(TKnob& knob, const QImage& face);
// An operator's envelope graph, 144 x 80: filled, over a top-to-bottom gradient of 64 bands.
void styleOperatorGraph(Tmbadsr2& graph);
// The algorithm picture, 67 x 77, on the algorithm strip.
void styleAlgorithmPicture(Tmbgrafsw& picture, const QImage& strip);
// An operator's wave picture, 87 x 80, on the wave strip.
void styleWavePicture(Tmbgrafsw& picture, const QImage& strip);
// A value field's caption: bold yellow.
void styleValueButton(TTransparentButton& button);
// The patch page's background panel, 958 x 758, black.
void stylePatchWallpaper(TWallpaper& wallpaper, const QImage& picture);
