#pragma once

#include "resources/artwork/Canvas.h"

#include <memory>

// One function per image of the product; each returns the image at its final pixel size.
namespace artwork
{

std::unique_ptr<Canvas> drawPanel();                  // 12128
std::unique_ptr<Canvas> drawModeSwitch(const Canvas& panel); // 12129
std::unique_ptr<Canvas> drawRatioKnob();              // 12181
std::unique_ptr<Canvas> drawTrimKnob(bool valve);     // 12130, 12139
std::unique_ptr<Canvas> drawBigKnob(int frames, int columns); // 12173, 12171, 12177
std::unique_ptr<Canvas> drawMeterFace(bool lit);      // 12151, 12153
std::unique_ptr<Canvas> drawAboutPlate();             // 12200
std::unique_ptr<Canvas> drawDesignerLogo();           // 90001

// Lays frames out column by column: frame k at column k / rows, row k % rows.
std::unique_ptr<Canvas> filmstrip(double frameWidth, double frameHeight, int frames, int columns,
                                  void (*paintFrame)(Canvas&, int frame, int frames));

// Shared colours.
inline const Rgba kLegendInk = rgb(46, 46, 50);
inline const Rgba kPanelBase = rgb(198, 196, 191);

} // namespace artwork
