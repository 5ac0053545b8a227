#include <algorithm>

#include "design/drawing/base_types.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {
namespace {

struct BootBeamSizes {
  Section c;
  double L, B, t, a, lt, dms, tsh, hsh, tj, hj;
  ShearKey key;
  // The tension rows stand lt from the plate ends, where the bolts were calculated.
  double rowX() const { return L / 2 - lt; }
};

BootBeamSizes readBootBeam(const DesignFacts& f) {
  return {readSection(f),  f.value("L"),   f.value("B"),    f.value("tpb"),  f.value("a"),
          f.value("lt"),   f.value("dms"), f.value("tsh"),  f.value("hsh"),  f.value("tjjl"),
          f.value("hjjl"), readShearKey(f)};
}

// Plate, the boot beams along the flange tips over the whole length, the column, and the length
// chain lt, a, hb, a, lt with L beyond it.
void bootBeamPlan(Sketch& s, const DesignFacts& f, const BootBeamSizes& z) {
  const Section& c = z.c;
  s.rectangle(-z.L / 2, -z.B / 2, z.L / 2, z.B / 2, Layer::Outline);
  s.rectangle(-z.L / 2, c.bf / 2, z.L / 2, c.bf / 2 + z.tsh, Layer::Outline);
  s.rectangle(-z.L / 2, -c.bf / 2 - z.tsh, z.L / 2, -c.bf / 2, Layer::Outline);
  s.hSection({0, 0}, c.hb, c.bf, c.tw, c.tf, Layer::Outline);
  planShearKey(s, z.key);
  planCentreLines(s, z.L, z.B);
  const double rowX = z.rowX();
  // The channel base lengthens its plate for bearing, the bolts staying lt from its ends: the
  // distance from the column to the bolts is then longer than a, and measured.
  const std::string ltText = f.shown("Edtlt", "lt"), aText = distanceText(f, rowX - c.hb / 2, "Edta", "a");
  s.dimension(Side::Above, -z.L / 2, -rowX, z.B / 2, 0, ltText);
  s.dimension(Side::Above, -rowX, -c.hb / 2, z.B / 2, 0, aText);
  s.dimension(Side::Above, -c.hb / 2, c.hb / 2, z.B / 2, 0, f.shown("", "hb"));
  s.dimension(Side::Above, c.hb / 2, rowX, z.B / 2, 0, aText);
  s.dimension(Side::Above, rowX, z.L / 2, z.B / 2, 0, ltText);
  s.dimension(Side::Above, -z.L / 2, z.L / 2, z.B / 2, 1, f.shown("EdtL", "L"));
  s.dimension(Side::Left, -z.B / 2, z.B / 2, -z.L / 2, 1, f.shown("EdtB", "B"));
}

// The elevation along the moment: the boot beam on its face over the plate, the column above it.
double bootBeamFront(Sketch& s, const DesignFacts& f, const BootBeamSizes& z, double y0, double stub) {
  const double top = elevationPlate(s, 0, z.L, y0, z.t);
  s.rectangle(-z.L / 2, top, z.L / 2, top + z.hsh, Layer::Outline);
  elevationColumn(s, 0, z.c.hb, z.c.tf, top + z.hsh, top + stub);
  const double below = footing(s, f, z.key, 0, z.L, y0, true);
  elevationCentreLine(s, 0, below, top + stub + 1.5 * s.textHeight());
  s.dimension(Side::Left, y0, top, -z.L / 2, 0, f.shown("Edttpb", "tpb"));
  s.dimension(Side::Left, top, top + z.hsh, -z.L / 2, 0, f.shown("Edthxlb", "hsh"));
  const double h = s.textHeight();
  s.weld({z.c.hb / 2, top + z.hsh}, 2 * h, 2.5 * h, weldText(f.shown("Edthfxlb", "hf2")) + "（靴梁与柱）");
  s.title({0, below - 2.4 * h}, "立面图（沿弯矩方向）");
  return top;
}

// Where the elevation along the moment left the side view: its footing level, the column stub
// and the outer face of the boot beams from the column's axis.
struct TSideLevels {
  double y0, stub, beamFace;
};

// Across the moment: the boot beams edge on, the stiffeners on their faces outside them.
void tBootBeamSide(Drawing& d, Sketch& s, const DesignFacts& f, const BootBeamSizes& z, const TSideLevels& at,
                   bool stacked) {
  const Section& c = z.c;
  const double h = d.textHeight, y0 = at.y0, stub = at.stub, beamFace = at.beamFace;
  const SideView side = sideElevationPlace(d, z.B / 2 + footingMargin(h), z.key, y0, stacked);
  const double cx = side.cx, sideTop = side.y0 + z.t;
  elevationPlate(s, cx, z.B, side.y0, z.t);
  elevationColumn(s, cx, c.bf, 0, sideTop, sideTop + stub);
  const double below = footing(s, f, z.key, cx, z.B, side.y0, false);
  elevationCentreLine(s, cx, below, sideTop + stub + 1.5 * h);
  s.rectangle(cx + c.bf / 2, sideTop, cx + beamFace, sideTop + z.hsh, Layer::Outline);
  s.rectangle(cx - beamFace, sideTop, cx - c.bf / 2, sideTop + z.hsh, Layer::Outline);
  stiffenerFace(s, cx + beamFace, cx + z.B / 2, sideTop, z.hj);
  stiffenerFace(s, cx - beamFace, cx - z.B / 2, sideTop, z.hj);
  s.dimension(Side::Left, sideTop, sideTop + z.hsh, cx - z.B / 2, 0, f.shown("Edthxlb", "hsh"));
  s.dimension(Side::Right, sideTop, sideTop + z.hj, cx + z.B / 2, 0, f.shown("Edthjjl", "hjjl"));
  s.callouts({{{cx + beamFace, sideTop}, weldText(f.shown("Edthf5", "hf5")) + "（靴梁与底板）", Layer::Welds},
              {{cx + (beamFace + z.B / 2) / 2, sideTop + z.hj}, weldText(f.shown("Edthfjjl", "hf3")) + "（加劲肋）",
               Layer::Welds},
              {{cx + c.bf / 2 + z.tsh / 2, sideTop + z.hsh},
               "靴梁厚 " + f.shown("Edttxlb", "tsh") + "，加劲肋厚 " + f.shown("Edttjjl", "tjjl"), Layer::Text}},
             cx + z.B / 2 + h, sideTop + std::max(z.hsh, z.hj) + 2 * h);
  s.title({cx, below - 2.4 * h}, "立面图（垂直弯矩方向）");
}

}  // namespace

// T-shaped boot beams: a tension row of three bolts beyond each flange, the outer two outside the
// boot beams between two stiffeners each, the middle one between the boot beams.
Drawing drawTBootBeamBase(const DesignFacts& f, double textScale, bool stacked) {
  const BootBeamSizes z = readBootBeam(f);
  const Section& c = z.c;
  const double spacing = f.value("c");
  Drawing d;
  d.title = "T型靴梁柱脚";
  d.textHeight = sheetTextHeight(std::max(z.L, z.B), textScale);
  Sketch s(d);

  bootBeamPlan(s, f, z);
  const double rowX = z.rowX();
  const double beamFace = c.bf / 2 + z.tsh;
  const double outerY = beamFace + spacing;
  std::vector<double> stiffenerX;  // centre lines
  for (const double x : {-rowX, rowX}) {
    for (const double y : {-outerY, 0.0, outerY}) s.hole({x, y}, z.dms);
    for (const double side : {-1.0, 1.0}) stiffenerX.push_back(x + side * (z.dms + z.tj / 2));
  }
  for (const double x : stiffenerX) {
    s.rectangle(x - z.tj / 2, beamFace, x + z.tj / 2, z.B / 2, Layer::Stiffeners);
    s.rectangle(x - z.tj / 2, -z.B / 2, x + z.tj / 2, -beamFace, Layer::Stiffeners);
  }
  // The outer bolts of each row from the plate sides and from the boot beams, the middle one on the
  // column's axis.
  const std::string btText = f.shown("Edtbt", "bt"), cText = f.shown("Edtc", "c");
  s.dimension(Side::Left, -z.B / 2, -outerY, -z.L / 2, 0, btText);
  s.dimension(Side::Left, -outerY, -beamFace, -z.L / 2, 0, cText);
  s.dimension(Side::Left, beamFace, outerY, -z.L / 2, 0, cText);
  s.dimension(Side::Left, outerY, z.B / 2, -z.L / 2, 0, btText);
  s.dimension(Side::Right, -c.bf / 2, c.bf / 2, z.L / 2, 0, f.shown("", "bf"));
  planTitle(s, boltNote(6, f.shown("edtms", "dms"), z.dms));

  const double y0 = elevationBase(d, z.key);
  const double stub = columnStub(c, std::max(z.hsh, z.hj));
  const double top = bootBeamFront(s, f, z, y0, stub);
  for (const double x : stiffenerX) s.rectangle(x - z.tj / 2, top, x + z.tj / 2, top + z.hj, Layer::Stiffeners);
  s.dimension(Side::Right, top, top + z.hj, z.L / 2, 0, f.shown("Edthjjl", "hjjl"));

  tBootBeamSide(d, s, f, z, {y0, stub, beamFace}, stacked);
  return d;
}

namespace {

// The parts of the channel that only its drawing reads: top plate, diaphragm, and where the
// bolts and ribs stand across the width.
struct Channel {
  double tp, hcb, tcb, boltY;
  std::vector<double> ribY;  // centre lines
};

// Plan: the diaphragm, the top plate and the ribs at each end, the two bolts of each row.
void channelPlan(Sketch& s, const DesignFacts& f, const BootBeamSizes& z, const Channel& k) {
  const Section& c = z.c;
  bootBeamPlan(s, f, z);
  const double rowX = z.rowX();
  // The diaphragm a/3 from the column, where the steel weight counts it from.
  const double diaphragmX = c.hb / 2 + z.a / 3;
  for (const double side : {-1.0, 1.0}) {
    const double inner = side * (diaphragmX + k.tcb / 2), end = side * z.L / 2;
    s.rectangle(side * diaphragmX - k.tcb / 2, -c.bf / 2, side * diaphragmX + k.tcb / 2, c.bf / 2, Layer::Stiffeners);
    s.rectangle(std::min(inner, end), -c.bf / 2, std::max(inner, end), c.bf / 2, Layer::Outline);  // top plate
    for (const double y : k.ribY)
      s.rectangle(std::min(inner, end), y - z.tj / 2, std::max(inner, end), y + z.tj / 2, Layer::Stiffeners);
    s.hole({side * rowX, -k.boltY}, z.dms);
    s.hole({side * rowX, k.boltY}, z.dms);
  }
  s.dimension(Side::Left, -c.bf / 2, c.bf / 2, -z.L / 2, 0, f.shown("", "bf"));
  s.dimension(Side::Right, -k.boltY, k.boltY, z.L / 2, 0, distanceText(f, 2 * k.boltY, "", "bf/2"));
  planTitle(s, boltNote(4, f.shown("edtms", "dms"), z.dms));
}

// Across the moment, through a tension row: the top plate between the boot beams, the ribs edge
// on under it, the diaphragm beyond them.
void channelAcross(Sketch& s, Drawing& d, const DesignFacts& f, const BootBeamSizes& z, const Channel& k,
                   double frontY0, double stub, bool stacked) {
  const Section& c = z.c;
  const double h = d.textHeight, tp = k.tp, hcb = k.hcb, tcb = k.tcb;
  const SideView side = sideElevationPlace(d, z.B / 2 + footingMargin(h), z.key, frontY0, stacked);
  const double cx = side.cx, y0 = side.y0, top = y0 + z.t;
  const double beamFace = c.bf / 2 + z.tsh;
  elevationPlate(s, cx, z.B, y0, z.t);
  elevationColumn(s, cx, c.bf, 0, top + z.hsh, top + stub);
  const double below = footing(s, f, z.key, cx, z.B, y0, false);
  elevationCentreLine(s, cx, below, top + stub + 1.5 * h);
  s.rectangle(cx + c.bf / 2, top, cx + beamFace, top + z.hsh, Layer::Outline);
  s.rectangle(cx - beamFace, top, cx - c.bf / 2, top + z.hsh, Layer::Outline);
  s.rectangle(cx - c.bf / 2, top + z.hsh - tp, cx + c.bf / 2, top + z.hsh, Layer::Outline);
  s.rectangle(cx - c.bf / 2, top, cx + c.bf / 2, top + hcb, Layer::Stiffeners);  // diaphragm
  for (const double y : k.ribY) s.rectangle(cx + y - z.tj / 2, top, cx + y + z.tj / 2, top + z.hj, Layer::Stiffeners);
  for (const double y : {-k.boltY, k.boltY})
    s.line({cx + y, y0 - 0.6 * h}, {cx + y, top + z.hsh + 1.5 * h}, Layer::Bolts);
  s.dimension(Side::Left, top, top + z.hsh, cx - z.B / 2, 0, f.shown("Edthxlb", "hsh"));
  s.dimension(Side::Right, top, top + z.hj, cx + z.B / 2, 0, f.shown("Edthjjl", "hjjl"));
  s.dimension(Side::Right, top, top + hcb, cx + z.B / 2, 1, f.shown("Edthgb", "hcb"));
  s.callouts({{{cx + beamFace, top}, weldText(f.shown("Edthf5", "hf5")) + "（靴梁与底板）", Layer::Welds},
              {{cx + c.bf / 2 - tcb, top}, weldText(f.shown("Edthf6", "hf6")) + "（隔板与底板）", Layer::Welds},
              {{cx + k.ribY.back() + z.tj / 2, top + z.hj * 0.6}, weldText(f.shown("Edthfjjl", "hf3")) + "（肋板）",
               Layer::Welds},
              {{cx + c.bf / 2, top + hcb * 0.8}, weldText(f.shown("Edthf7", "hf7")) + "（隔板与靴梁）", Layer::Welds},
              {{cx + c.bf / 4, top + z.hsh - tp / 2}, "顶板厚 " + f.shown("Edttd", "tp"), Layer::Text},
              {{cx + k.ribY.back(), top + z.hj * 0.3}, "肋板厚 " + f.shown("Edttjjl", "tjjl"), Layer::Text},
              {{cx + c.bf / 2 - tcb / 2, top + hcb * 0.4}, "隔板厚 " + f.shown("Edttgb", "tcb"), Layer::Text}},
             cx + z.B / 2 + h, top + z.hsh + 2 * h);
  s.title({cx, below - 2.4 * h}, "立面图（垂直弯矩方向）");
}

}  // namespace

// Channel boot beams: the boot beams closed by a top plate over the two bolts of each tension
// row, a diaphragm across the channel towards the column, and a rib each side of each bolt under
// the top plate.
Drawing drawChannelBootBeamBase(const DesignFacts& f, double textScale, bool stacked) {
  const BootBeamSizes z = readBootBeam(f);
  Channel k{f.value("tp"), f.value("hcb"), f.value("tcb"), z.c.bf / 4, {}};
  for (const double y : {-k.boltY, k.boltY})
    // Clear of the bolt where the channel is wide enough, else midway between bolt and boot beam.
    for (const double side : {-1.0, 1.0}) k.ribY.push_back(y + side * std::min(z.dms + z.tj / 2, z.c.bf / 4 - z.tj));
  Drawing d;
  d.title = "槽型靴梁柱脚";
  d.textHeight = sheetTextHeight(std::max(z.L, z.B), textScale);
  Sketch s(d);
  channelPlan(s, f, z, k);
  const double y0 = elevationBase(d, z.key);
  const double stub = columnStub(z.c, z.hsh);
  bootBeamFront(s, f, z, y0, stub);
  channelAcross(s, d, f, z, k, y0, stub, stacked);
  return d;
}

}  // namespace pedivo::drawing
