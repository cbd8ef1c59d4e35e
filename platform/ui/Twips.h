#pragma once
// Sizes of the window designs are given in twips (1440 to the inch); the screen's logical DPI
// turns them into pixels.
namespace ui {
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);
} // namespace ui
