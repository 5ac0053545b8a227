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

// The shear key under the plate, an H section through the grout into the foundation, and the
// grout layer it passes through. A key of no height is no key.
struct ShearKey {
  double h = 0, b = 0, tw = 0, tf = 0;
  double embedment = 0;  // below the top of the foundation
  double grout = 0;      // the layer between the plate and the foundation
  std::string name;
  bool designed() const { return h > 0 && b > 0 && embedment > 0; }
};
// A design without a grout thickness is drawn with the usual 50 mm layer.
inline constexpr double usualGroutMm = 50;
ShearKey readShearKey(const DesignFacts& facts);

// Text height of a sheet: about a thirtieth of the plate's larger side, in steps of 2.5 mm, as
// CAD text heights go; `scale` enlarges it (to the next step) where the sheet is printed small.
double sheetTextHeight(double largerSide, double scale = 1);

// Plate, column and the plan's title below everything drawn so far.
void planPlateAndColumn(Sketch& s, double L, double B, const Section& c);
void planTitle(Sketch& s, const std::string& note);

// How far below the plate an elevation reaches: the grout, the foundation cut open round the key.
double footingDepth(const ShearKey& key);
// How far the foundation's top reaches beyond the plate in an elevation.
double footingMargin(double textHeight);

// Where an elevation's plate bottom stands: above everything drawn so far, with room for the
// grout, the foundation and the title under it.
double elevationBase(const Drawing& d, const ShearKey& key);
// Where the centre of the elevation across the moment stands: right of everything so far.
double sideElevationCentre(const Drawing& d, double halfWidth);
// Where the elevation across the moment stands: beside the other elevation, on its plate's level,
// or (`stacked`, for a page taller than wide) above everything so far, on the column's axis.
struct SideView {
  double cx, y0;
};
SideView sideElevationPlace(const Drawing& d, double halfWidth, const ShearKey& key, double frontY0, bool stacked);

// Under an elevation's plate (`width` across the view, bottom at y0): the grout layer, the top of
// the foundation with the concrete below it, and the shear key where one is designed, its flanges
// edge on (`alongShear`, seen across the shear) or its web hidden behind a flange. The grout and
// the key's embedment are dimensioned on the left in the view along the shear. Returns the lowest
// point drawn.
double footing(Sketch& s, const DesignFacts& f, const ShearKey& key, double centreX, double width, double y0,
               bool alongShear);
// The key's outline in plan, dashed: it stands under the plate.
void planShearKey(Sketch& s, const ShearKey& key);
// Centre lines of a plan through the column's axes, a little beyond the plate.
void planCentreLines(Sketch& s, double L, double B);
// The column's axis in an elevation, from below the plate to above the cut column.
void elevationCentreLine(Sketch& s, double x, double bottom, double top);

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
