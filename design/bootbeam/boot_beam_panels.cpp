#include "design/bootbeam/boot_beam_panels.h"

#include <algorithm>
#include <cmath>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/numbers.h"
#include "design/common/plate_panel.h"

namespace pedivo::bootbeam {

// The sums and products below are evaluated as written: regrouping them would change the last bit
// of the moments.

TShapedPanels tShapedPanels(const BootBeamHeld& h) {
  TShapedPanels p{};
  p.q0 = h.ylc;
  p.qMid = pressureAt(h, h.L / 2);
  p.betweenStiffeners = panelStep(threeSidePanel(h.bt + h.c, h.hb - 2 * h.tjjl, p.qMid));
  p.beyondBolts = panelStep(threeSidePanel(h.a + h.lt, h.bf, p.q0));
  // The corner outside the boot beam, supported on two adjacent sides, taken on its diagonal.
  const double diagonal = std::sqrt(square(h.a + h.lt) + square(h.c + h.bt));
  p.corner = panelStep(threeSidePanel((h.a + h.lt) * (h.c + h.bt) / diagonal, diagonal, p.q0));
  p.betweenFlanges = panelStep(fourSidePanel(h.hb - 2 * h.tf, (h.bf - h.tw) / 2, p.qMid));
  p.M2 = 0;
  for (const PanelStep* panel : {&p.betweenStiffeners, &p.beyondBolts, &p.corner, &p.betweenFlanges})
    p.M2 = std::max(p.M2, panel->M);
  return p;
}

ChannelPanels channelPanels(const BootBeamHeld& h) {
  ChannelPanels p{};
  p.q0 = h.ylc;
  p.qInside = pressureAt(h, h.lt);
  p.qMid = pressureAt(h, h.L / 2);
  p.beyondBolts = panelStep(threeSidePanel(h.lt, h.bf, p.q0));
  // Inside the channel between the diaphragm and the bolt line, and between the flanges.
  p.insideChannel = panelStep(fourSidePanel(h.bf, (h.L - h.hb) / 2 - h.lt, p.qInside));
  p.betweenFlanges = panelStep(fourSidePanel(h.hb - 2 * h.tf, (h.bf - h.tw) / 2, p.qMid));
  p.M2 = 0;
  for (const PanelStep* panel : {&p.beyondBolts, &p.insideChannel, &p.betweenFlanges}) p.M2 = std::max(p.M2, panel->M);
  return p;
}

void holdTShapedPanels(BootBeamHeld& h, const TShapedPanels& p) {
  rigidbase::holdPanels(h, p.betweenStiffeners, p.beyondBolts, p.corner, p.betweenFlanges, p.M2);
}

void holdChannelPanels(BootBeamHeld& h, const ChannelPanels& p) {
  const PanelStep& p1 = p.beyondBolts;
  const PanelStep& p2 = p.insideChannel;
  const PanelStep& p3 = p.betweenFlanges;
  h.b21 = p1.b, h.a21 = p1.a, h.r11 = p1.r, h.alf1 = p1.k, h.M221 = p1.M, h.panel1Moment = p1.moment;
  h.b31 = p2.b, h.a31 = p2.a, h.r21 = p2.r, h.beta1 = p2.k, h.M222 = p2.M;
  h.b32 = p3.b, h.a32 = p3.a, h.r22 = p3.r, h.beta2 = p3.k, h.M223 = p3.M;
  h.M2 = p.M2;
}

}  // namespace pedivo::bootbeam
