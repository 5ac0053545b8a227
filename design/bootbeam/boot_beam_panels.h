#pragma once
// The base-plate panels of the two boot-beam bases as a step each: the moment of every panel, the
// way it was taken, and the largest of them. Each step returns its record; the held values are
// written from it in one place, and the report's coefficients and moment formulas are written from
// the held way each three-side panel was taken.

#include "design/bootbeam/boot_beam.h"
#include "design/common/plate_panel.h"

namespace pedivo::bootbeam {


// The T-shaped base: the panel between the stiffeners at mid-length (1), beyond the bolts across
// the flange width (2), the corner outside the boot beam on its diagonal (3), all on three sides,
// and between the flanges beside the web on four (4).
struct TShapedPanels {
  double q0, qMid;  // the pressure σc, and its linear value at mid-length σc·(xn − L/2)/xn
  PanelStep betweenStiffeners, beyondBolts, corner, betweenFlanges;
  double M2;  // the largest moment, not below 0
};

// The channel base: the panel outside the channel beyond the bolts on three sides (1), inside the
// channel between the diaphragm and the bolt line (2) and between the flanges beside the web (3),
// both on four sides.
struct ChannelPanels {
  double q0, qInside, qMid;  // σc, and its linear values at the bolt line lt and at mid-length
  PanelStep beyondBolts, insideChannel, betweenFlanges;
  double M2;  // the largest moment, not below 0
};

// The panels on the held plan, layout and pressure.
TShapedPanels tShapedPanels(const BootBeamHeld& h);
ChannelPanels channelPanels(const BootBeamHeld& h);
void holdTShapedPanels(BootBeamHeld& h, const TShapedPanels& p);
void holdChannelPanels(BootBeamHeld& h, const ChannelPanels& p);

}  // namespace pedivo::bootbeam
