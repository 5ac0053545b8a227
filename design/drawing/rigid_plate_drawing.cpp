#include <algorithm>

#include "design/common/numbers.h"
#include "design/drawing/base_types.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {

namespace {

struct RigidPlate {
  Section c;
  double L, B, t, a, spacing, bt, dms, tj, hj;
  int boltsInRow;
};

// The column and plate heights both elevations share.
struct Heights {
  double y0, top, stub;
};

// The two bolts beside the web stand midway between the web and the flange tip, or a from the web
// where that is nearer.
double webBoltOffset(const Section& c, double a) { return c.tw / 2 + std::min(a, (c.bf / 2 - c.tw / 2) / 2); }

// Plan: the tension rows, the stiffeners between neighbouring bolts and the web bolts, with the
// layout dimensions. Returns the lower face of each stiffener across the width.
std::vector<double> plan(Sketch& s, const DesignFacts& f, const RigidPlate& p, const ShearKey& key) {
  const Section& c = p.c;
  const double L = p.L, B = p.B, a = p.a, spacing = p.spacing, bt = p.bt;
  planPlateAndColumn(s, L, B, c);
  planShearKey(s, key);
  planCentreLines(s, L, B);
  const double pitch = 2 * spacing + p.tj;
  const double rowX = c.hb / 2 + a;
  std::vector<double> stiffenerY;
  for (int k = 0; k + 1 < p.boltsInRow; ++k) stiffenerY.push_back(-B / 2 + bt + spacing + k * pitch);
  for (const double y : stiffenerY) {
    s.rectangle(c.hb / 2, y, L / 2, y + p.tj, Layer::Stiffeners);
    s.rectangle(-L / 2, y, -c.hb / 2, y + p.tj, Layer::Stiffeners);
  }
  for (int k = 0; k < p.boltsInRow; ++k)
    for (const double x : {-rowX, rowX}) s.hole({x, -B / 2 + bt + k * pitch}, p.dms);
  const double webBoltY = webBoltOffset(c, a);
  s.hole({0, -webBoltY}, p.dms);
  s.hole({0, webBoltY}, p.dms);

  const std::string ltText = f.shown("Edtlt", "lt"), aText = f.shown("Edta", "a");
  s.dimension(Side::Above, -L / 2, -rowX, B / 2, 0, ltText);
  s.dimension(Side::Above, -rowX, -c.hb / 2, B / 2, 0, aText);
  s.dimension(Side::Above, -c.hb / 2, c.hb / 2, B / 2, 0, f.shown("", "hb"));
  s.dimension(Side::Above, c.hb / 2, rowX, B / 2, 0, aText);
  s.dimension(Side::Above, rowX, L / 2, B / 2, 0, ltText);
  s.dimension(Side::Above, -L / 2, L / 2, B / 2, 1, f.shown("EdtL", "L"));
  // Across the width every bolt of a row from the next, the stiffener c from its bolt, the two
  // bolts beside the web from each other and the flange width.
  const std::string btText = f.shown("Edtbt", "bt"), pitchText = formatGeneral(pitch);
  s.dimension(Side::Left, -B / 2, -B / 2 + bt, -L / 2, 0, btText);
  for (int k = 0; k + 1 < p.boltsInRow; ++k)
    s.dimension(Side::Left, -B / 2 + bt + k * pitch, -B / 2 + bt + (k + 1) * pitch, -L / 2, 0, pitchText);
  s.dimension(Side::Left, B / 2 - bt, B / 2, -L / 2, 0, btText);
  s.dimension(Side::Left, -B / 2, B / 2, -L / 2, 1, f.shown("EdtB", "B"));
  // The bolts beside the web are measured at the plate's end, as the rows are: a dimension over the
  // column would put its text on the web.
  s.dimension(Side::Right, -B / 2 + bt, -B / 2 + bt + spacing, L / 2, 0, f.shown("Edtc", "c"));
  s.dimension(Side::Right, -webBoltY, webBoltY, L / 2, 1, formatGeneral(2 * webBoltY));
  s.dimension(Side::Right, -c.bf / 2, c.bf / 2, L / 2, 2, f.shown("", "bf"));
  planTitle(s, boltNote(2 * p.boltsInRow + 2, f.shown("edtms", "dms"), p.dms));
  return stiffenerY;
}

// Elevation along the moment: the stiffeners on their faces, from the flanges to the plate ends.
Heights elevationAlong(Sketch& s, Drawing& d, const DesignFacts& f, const RigidPlate& p, const ShearKey& key) {
  const Section& c = p.c;
  const double L = p.L, hj = p.hj, h = d.textHeight;
  const double y0 = elevationBase(d, key);
  const double top = elevationPlate(s, 0, L, y0, p.t);
  const double stub = columnStub(c, hj);
  elevationColumn(s, 0, c.hb, c.tf, top, top + stub);
  const double below = footing(s, f, key, 0, L, y0, true);
  elevationCentreLine(s, 0, below, top + stub + 1.5 * h);
  stiffenerFace(s, c.hb / 2, L / 2, top, hj);
  stiffenerFace(s, -c.hb / 2, -L / 2, top, hj);
  s.dimension(Side::Left, y0, top, -L / 2, 0, f.shown("Edttpb", "tpb"));
  s.dimension(Side::Left, top, top + hj, -L / 2, 0, f.shown("Edthjjl", "hjjl"));
  s.weld({c.hb / 2, top + hj + (stub - hj) * 0.25}, 2.5 * h, 2 * h, weldText(f.shown("edthf11", "hf11")) + "（柱与底板）");
  s.weld({(c.hb / 2 + L / 2) / 2, top}, L / 4 + 1.5 * h, hj * 0.5, weldText(f.shown("Edthfjjl", "hf3")) + "（加劲肋）");
  s.title({0, below - 2.4 * h}, "立面图（沿弯矩方向）");
  return {y0, top, stub};
}

// Elevation across the moment: the stiffeners edge on, in front of the flange.
void elevationAcross(Sketch& s, Drawing& d, const DesignFacts& f, const RigidPlate& p, const Heights& at,
                     const std::vector<double>& stiffenerY, const ShearKey& key, bool stacked) {
  const double B = p.B, tj = p.tj, hj = p.hj, h = d.textHeight;
  const SideView side = sideElevationPlace(d, B / 2 + footingMargin(h), key, at.y0, stacked);
  const double cx = side.cx, top = side.y0 + p.t;
  elevationPlate(s, cx, B, side.y0, p.t);
  elevationColumn(s, cx, p.c.bf, 0, top, top + at.stub);
  const double below = footing(s, f, key, cx, B, side.y0, false);
  elevationCentreLine(s, cx, below, top + at.stub + 1.5 * h);
  for (const double y : stiffenerY) s.rectangle(cx + y, top, cx + y + tj, top + hj, Layer::Stiffeners);
  s.dimension(Side::Left, top, top + hj, cx - B / 2, 0, f.shown("Edthjjl", "hjjl"));
  s.note({cx + stiffenerY.back() + tj, top + hj * 0.7}, B / 2 - stiffenerY.back() - tj + 1.5 * h, hj * 0.3 + h,
         "加劲肋厚 " + f.shown("Edttjjl", "tjjl"));
  s.title({cx, below - 2.4 * h}, "立面图（垂直弯矩方向）");
}

}  // namespace

// Rigid plate without boot beams: a tension row of bolts beyond each flange at the distance a,
// bt from the plate side and 2c + ts apart, a stiffener midway between neighbouring bolts from
// the flange to the plate end, and a bolt each side of the web.
Drawing drawRigidPlateBase(const DesignFacts& f, int boltsInRow, double textScale, bool stacked) {
  const RigidPlate p{readSection(f), f.value("L"), f.value("B"), f.value("tpb"), f.value("a"), f.value("c"),
                     f.value("bt"), f.value("dms"), f.value("tjjl"), f.value("hjjl"), boltsInRow};
  Drawing d;
  d.title = boltsInRow == 3 ? "八锚栓刚接柱脚" : "十锚栓刚接柱脚";
  d.textHeight = sheetTextHeight(std::max(p.L, p.B), textScale);
  Sketch s(d);
  const ShearKey key = readShearKey(f);
  const std::vector<double> stiffenerY = plan(s, f, p, key);
  const Heights at = elevationAlong(s, d, f, p, key);
  elevationAcross(s, d, f, p, at, stiffenerY, key, stacked);
  return d;
}

}  // namespace pedivo::drawing
