#pragma once
// The views each base type builds on: the column section, the plate in plan and in elevation,
// and where the views of one sheet stand relative to each other.

#include <string>

#include "design/drawing/design_facts.h"
#include "design/drawing/sketch.h"

namespace pedivo::drawing {

struct Section {
  double hb, bf, tw, tf;
};
Section readSection(const DesignFacts& facts);

// Text height of a sheet: about a thirtieth of the plate's larger side, in steps of 2.5 mm, as
// CAD text heights go; `scale` enlarges it (to the next step) where the sheet is printed small.
double sheetTextHeight(double largerSide, double scale = 1);

// Plate, column and the plan's title below everything drawn so far.
void planPlateAndColumn(Sketch& s, double L, double B, const Section& c);
void planTitle(Sketch& s, const std::string& note);

// Where an elevation's plate bottom stands: above everything drawn so far, with room for the
// title under it.
double elevationBase(const Drawing& d);
// Where the centre of the elevation across the moment stands: right of everything so far.
double sideElevationCentre(const Drawing& d, double halfWidth);

// An elevation's plate (width across the view, thickness t) with its bottom at y0, and the column
// above it cut off by a break line: `columnWidth` wide, with the flange faces as inner lines
// `flange` in from each side (0 for none). Returns the top of the plate.
double elevationPlate(Sketch& s, double centreX, double width, double y0, double t);
void elevationColumn(Sketch& s, double centreX, double columnWidth, double flange, double bottom, double top);
// The column's height above the plate in an elevation.
double columnStub(const Section& c, double tallest);

// A stiffener seen on its face, standing on the plate from x0 to x1 (x0 at the column or boot
// beam it is welded to), with a cope at that corner.
void stiffenerFace(Sketch& s, double x0, double x1, double bottom, double height);

}  // namespace pedivo::drawing
