#pragma once

#include "resources/artwork/Canvas.h"

#include <memory>

// The drawing of every image of the product at any scale (pixels per point). Filmstrips are
// drawn one frame at a time; ImageCatalogue lays them out as the committed images.
namespace artwork
{

std::unique_ptr<Canvas> drawPanel(double scale);                                    // 12128
// One lever position (0 "Valve", 1 "Clear", 2 "Off") over the panel drawn at the same scale.
std::unique_ptr<Canvas> drawModeSwitchFrame(double scale, int position, cairo_surface_t* panel); // 12129
std::unique_ptr<Canvas> drawRatioKnobFrame(double scale, int frame);                 // 12181
std::unique_ptr<Canvas> drawTrimKnobFrame(double scale, bool valve, int frame);      // 12130, 12139
std::unique_ptr<Canvas> drawBigKnobFrame(double scale, int frame, int frames);       // 12173, 12171, 12177
std::unique_ptr<Canvas> drawMeterFace(bool lit, double scale);                       // 12151, 12153
std::unique_ptr<Canvas> drawAboutPlate(double scale);                                // 12200
std::unique_ptr<Canvas> drawDesignerLogo(double scale);                              // 90001

// Shared colours.
inline const Rgba kLegendInk = rgb(46, 46, 50);
inline const Rgba kPanelBase = rgb(198, 196, 191);

} // namespace artwork
