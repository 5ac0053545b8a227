#pragma once
// The base plate of the eight- and ten-bolt bases as three steps: its plan brought to whole tens,
// the moments of its four panels, and its thickness from the panels and at the tension bolts.
// Each step returns what it found and the branch it took; the held values are written from the
// record in one place, and the report's panel formulas are written beside them from the held
// branch.

#include <string>

#include "design/common/bearing_step.h"
#include "design/common/bolt_zone.h"
#include "design/common/calculation.h"
#include "design/common/plate_layout.h"
#include "design/common/plate_panel.h"
#include "design/common/rigid_branches.h"

namespace pedivo::rigidbase {
struct RigidGeometry;
}

namespace pedivo::rigid {

struct RigidPlateHeld;

// ---- plan -----------------------------------------------------------------------------------

using rigidbase::PlatePlan;

// The plan of a layout around a column of depth hb with stiffeners tjjl thick: B0 is the c
// spacings, the two edges bt and the stiffeners across.
PlatePlan platePlan(const rigidbase::RigidGeometry& geometry, const PlateLayout& layout, double hb, double tjjl);

// ---- panels ---------------------------------------------------------------------------------

// The four panels, in the report's order.
enum class PlatePanelName {
  None,               // no panel's moment is positive: M2 stays 0
  BetweenStiffeners,  // 1: bt + c deep between the stiffeners, under qr (M221)
  BeyondBolts,        // 2: a + lt deep beyond the bolts, under q (M222)
  Corner,             // 3: the corner outside the stiffener, on its diagonal, under q (M223)
  BetweenFlanges,     // 4: between the flanges beside the web, four sides, under qr (M224)
};

struct PlatePanels {
  double q, qr;  // the pressure σc, and its linear value at mid-length σc·(xn − L/2)/xn
  PanelStep betweenStiffeners, beyondBolts, corner, betweenFlanges;
  double M2;                  // the largest moment, not below 0
  PlatePanelName governing;   // the first panel whose moment is M2
};

// The panels on the held plan, layout and pressure.
PlatePanels platePanels(const rigidbase::RigidGeometry& geometry, const RigidPlateHeld& h);
void holdPlatePanels(RigidPlateHeld& h, const PlatePanels& panels);

// The moment's formula of one of the three-side panels, "M221 = α1·qr·a21²" or
// "M221 = 0.5·qr·b21²（悬臂）", in the way the step held.
std::string panelMomentFormula(PlatePanelName panel, PanelMoment moment);

// ---- thickness ------------------------------------------------------------------------------

struct PlateThicknessStep {
  double tpbc, fpb;                      // from the panels' M2, in its own thickness group
  double Ntal;                           // one tension bolt's pull 2·Ta/n
  rigidbase::BoltZoneThickness zone;     // the plate round a tension bolt at fpbt
  double fpbt;                           // the group strength of the thickness at the bolts
  rigidbase::PlateSizedBy plateSizedBy;  // which of tpbc and tpbt asked more
  double tpb;                            // max(tpbc, tpbt) up to a whole mm, at least 20
};

// The thickness of the held plate under the held M2 and bolt tension.
PlateThicknessStep plateThickness(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h);
// Everything the step found but the plate's thickness: a check keeps its given tpb.
void holdRequiredThickness(RigidPlateHeld& h, const PlateThicknessStep& step);
void holdPlateThickness(RigidPlateHeld& h, const PlateThicknessStep& step);

}  // namespace pedivo::rigid
