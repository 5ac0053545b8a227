#include "design/rigid/plate_steps.h"

#include <algorithm>
#include <cmath>

#include "design/common/numbers.h"
#include "design/common/plate_panel.h"
#include "design/common/rigid_geometry.h"
#include "design/common/tables.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {

// The sums and products below are evaluated as written: regrouping them would change the last bit
// of the plan, the moments and the thicknesses.

PlatePlan platePlan(const rigidbase::RigidGeometry& geometry, const PlateLayout& layout, double hb, double tjjl) {
  PlatePlan p{};
  p.L0 = 2 * (layout.a + layout.lt) + hb;
  // The spacings, the edges, then the stiffeners: the order these bases were written in, kept on
  // purpose (the T-shaped base adds its flange and boot beams in an order of its own).
  p.B0 = geometry.cSpacings * layout.c + 2 * layout.bt + geometry.stiffenersAcross * tjjl;
  p.L = roundToTenPastOne(p.L0);
  p.B = roundToTenPastOne(p.B0);
  // a and each c take the growth in steps of 5; lt and bt the rest, to the plate's edges.
  p.a = roundDownToFive((p.L - p.L0) / 2 + layout.a);
  p.c = roundDownToFive((p.B - p.B0) / geometry.cSpacings + layout.c);
  p.lt = (p.L - hb) / 2 - p.a;
  p.bt = (p.B - geometry.cSpacings * p.c - geometry.stiffenersAcross * tjjl) / 2;
  return p;
}

namespace {

// The largest moment, from 0 up, and the first panel that reaches it: a later panel of the same
// moment does not take over.
void governingPanel(PlatePanels& p) {
  const std::pair<PlatePanelName, double> moments[] = {{PlatePanelName::BetweenStiffeners, p.betweenStiffeners.M},
                                                       {PlatePanelName::BeyondBolts, p.beyondBolts.M},
                                                       {PlatePanelName::Corner, p.corner.M},
                                                       {PlatePanelName::BetweenFlanges, p.betweenFlanges.M}};
  p.M2 = 0;
  p.governing = PlatePanelName::None;
  for (const auto& [panel, M] : moments) {
    if (p.M2 < M) p.M2 = M, p.governing = panel;
  }
}

}  // namespace

PlatePanels platePanels(const rigidbase::RigidGeometry& geometry, const RigidPlateHeld& h) {
  PlatePanels p{};
  p.q = h.ylc;
  p.qr = h.ylc * (h.xn - h.L / 2) / h.xn;
  p.betweenStiffeners = panelStep(threeSidePanel(h.bt + h.c, h.hb - 2 * h.tjjl, p.qr));
  p.beyondBolts = panelStep(threeSidePanel(h.a + h.lt, 2 * h.c, p.q));
  // The corner outside the stiffener, supported on two adjacent sides, taken on its diagonal.
  const double a23 = std::sqrt(square(h.a + h.lt) + square(h.c + h.bt));
  p.corner = panelStep(threeSidePanel((h.a + h.lt) * (h.c + h.bt) / a23, a23, p.q));
  // Between the flanges beside the web, supported on four sides.
  p.betweenFlanges = panelStep(fourSidePanel(h.hb - 2 * h.tf, geometry.panel4Width(h), p.qr));
  governingPanel(p);
  return p;
}

void holdPlatePanels(RigidPlateHeld& h, const PlatePanels& p) {
  rigidbase::holdPanels(h, p.betweenStiffeners, p.beyondBolts, p.corner, p.betweenFlanges, p.M2);
  h.qr = p.qr;
}

std::string panelMomentFormula(PlatePanelName panel, PanelMoment moment) {
  // Panel 1 lies under the pressure at mid-length qr, panels 2 and 3 under the full q.
  const char* digit = panel == PlatePanelName::BetweenStiffeners ? "1" : panel == PlatePanelName::BeyondBolts ? "2" : "3";
  return threeSidePanelFormula(digit, panel == PlatePanelName::BetweenStiffeners ? "qr" : "q", moment);
}

PlateThicknessStep plateThickness(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h) {
  PlateThicknessStep s{};
  const auto panels = tables::plateThicknessByGroup(*m.steel, [&](double f) { return std::sqrt(6 * h.M2 / f); });
  s.tpbc = panels.t;
  s.fpb = panels.f;
  s.Ntal = 2 * h.ta / h.n;
  // The plate around a bolt between stiffener and flange, and between two stiffeners; the zone
  // kept is the one of the group strength the thickness ends in.
  const auto atBolts = tables::plateThicknessByGroup(*m.steel, [&](double f) {
    s.zone = rigidbase::boltZone(geometry.boltZonePlate, {h.a, h.c, h.lt, h.bt, s.Ntal}, h.bf, f);
    return s.zone.tpbt;
  });
  s.fpbt = atBolts.f;
  s.plateSizedBy = rigidbase::plateSizedBy(s.tpbc, s.zone.tpbt);
  s.tpb = std::max(tables::thinnestBasePlate, roundUpToWhole(std::max(s.tpbc, s.zone.tpbt)));
  return s;
}

void holdRequiredThickness(RigidPlateHeld& h, const PlateThicknessStep& step) {
  h.tpbc = step.tpbc, h.fpb = step.fpb;
  h.Ntal = step.Ntal;
  rigidbase::holdBoltZone(h, step.zone);
  h.cornerArm = step.zone.cornerArm;
  h.fpbt = step.fpbt;
  h.plateSizedBy = step.plateSizedBy;
}

void holdPlateThickness(RigidPlateHeld& h, const PlateThicknessStep& step) {
  holdRequiredThickness(h, step);
  h.tpb = step.tpb;
}

}  // namespace pedivo::rigid
