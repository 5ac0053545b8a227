#include <algorithm>

#include "design/drawing/base_types.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {

// Rigid plate without boot beams: a tension row of bolts beyond each flange at the distance a,
// bt from the plate side and 2c + ts apart, a stiffener midway between neighbouring bolts from
// the flange to the plate end, and a bolt each side of the web.
Drawing drawRigidPlateBase(const DesignFacts& f, int boltsInRow) {
  const Section c = readSection(f);
  const double L = f.value("L"), B = f.value("B"), t = f.value("tpb");
  const double a = f.value("a"), spacing = f.value("c"), bt = f.value("bt"), dms = f.value("dms");
  const double tj = f.value("tjjl"), hj = f.value("hjjl");
  Drawing d;
  d.title = boltsInRow == 3 ? "八锚栓刚接柱脚" : "十锚栓刚接柱脚";
  d.textHeight = sheetTextHeight(std::max(L, B));
  const double h = d.textHeight;
  Sketch s(d);

  // Plan.
  planPlateAndColumn(s, L, B, c);
  const double pitch = 2 * spacing + tj;
  const double rowX = c.hb / 2 + a;
  std::vector<double> stiffenerY;  // lower face of each stiffener
  for (int k = 0; k + 1 < boltsInRow; ++k) stiffenerY.push_back(-B / 2 + bt + spacing + k * pitch);
  for (const double y : stiffenerY) {
    s.rectangle(c.hb / 2, y, L / 2, y + tj, Layer::Stiffeners);
    s.rectangle(-L / 2, y, -c.hb / 2, y + tj, Layer::Stiffeners);
  }
  for (int k = 0; k < boltsInRow; ++k)
    for (const double x : {-rowX, rowX}) s.hole({x, -B / 2 + bt + k * pitch}, dms);
  const double webBoltY = c.tw / 2 + std::min(a, (c.bf / 2 - c.tw / 2) / 2);
  s.hole({0, -webBoltY}, dms);
  s.hole({0, webBoltY}, dms);

  const std::string ltText = f.shown("Edtlt", "lt"), aText = f.shown("Edta", "a");
  s.dimension(Side::Above, -L / 2, -rowX, B / 2, 0, ltText);
  s.dimension(Side::Above, -rowX, -c.hb / 2, B / 2, 0, aText);
  s.dimension(Side::Above, -c.hb / 2, c.hb / 2, B / 2, 0, f.shown("", "hb"));
  s.dimension(Side::Above, c.hb / 2, rowX, B / 2, 0, aText);
  s.dimension(Side::Above, rowX, L / 2, B / 2, 0, ltText);
  s.dimension(Side::Above, -L / 2, L / 2, B / 2, 1, f.shown("EdtL", "L"));
  s.dimension(Side::Left, -B / 2, -B / 2 + bt, -L / 2, 0, f.shown("Edtbt", "bt"));
  s.dimension(Side::Left, -B / 2 + bt, -B / 2 + bt + spacing, -L / 2, 0, f.shown("Edtc", "c"));
  s.dimension(Side::Left, -B / 2, B / 2, -L / 2, 1, f.shown("EdtB", "B"));
  s.dimension(Side::Right, -c.bf / 2, c.bf / 2, L / 2, 0, f.shown("", "bf"));
  planTitle(s, boltNote(2 * boltsInRow + 2, f.shown("edtms", "dms"), dms));

  // Elevation along the moment: the stiffeners on their faces, from the flanges to the plate ends.
  const double y0 = elevationBase(d);
  const double top = elevationPlate(s, 0, L, y0, t);
  const double stub = columnStub(c, hj);
  elevationColumn(s, 0, c.hb, c.tf, top, top + stub);
  stiffenerFace(s, c.hb / 2, L / 2, top, hj);
  stiffenerFace(s, -c.hb / 2, -L / 2, top, hj);
  s.dimension(Side::Left, y0, top, -L / 2, 0, f.shown("Edttpb", "tpb"));
  s.dimension(Side::Left, top, top + hj, -L / 2, 0, f.shown("Edthjjl", "hjjl"));
  s.weld({c.hb / 2, top + hj + (stub - hj) * 0.25}, 2.5 * h, 2 * h, weldText(f.shown("edthf11", "hf11")) + "（柱与底板）");
  s.weld({(c.hb / 2 + L / 2) / 2, top}, L / 4 + 1.5 * h, hj * 0.5, weldText(f.shown("Edthfjjl", "hf3")) + "（加劲肋）");
  s.title({0, y0 - 2.4 * h}, "立面图（沿弯矩方向）");

  // Elevation across the moment: the stiffeners edge on, in front of the flange.
  const double cx = sideElevationCentre(d, B / 2);
  elevationPlate(s, cx, B, y0, t);
  elevationColumn(s, cx, c.bf, 0, top, top + stub);
  for (const double y : stiffenerY) s.rectangle(cx + y, top, cx + y + tj, top + hj, Layer::Stiffeners);
  s.dimension(Side::Left, top, top + hj, cx - B / 2, 0, f.shown("Edthjjl", "hjjl"));
  s.note({cx + stiffenerY.back() + tj, top + hj * 0.7}, B / 2 - stiffenerY.back() - tj + 1.5 * h, hj * 0.3 + h,
         "加劲肋厚 " + f.shown("Edttjjl", "tjjl"));
  s.title({cx, y0 - 2.4 * h}, "立面图（垂直弯矩方向）");
  return d;
}

}  // namespace pedivo::drawing
