#include "design/drawing/base_types.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {

// Pinned bases: the plate just round the column, the bolts between the flanges at the distance a
// from the web; the four-bolt base adds a stiffener each side of the web at mid-depth, from the
// web to the plate edge, with a bolt each side of it at the distance c.
Drawing drawPinnedBase(const DesignFacts& f, bool withStiffeners, double textScale) {
  const Section c = readSection(f);
  const double L = f.value("L"), B = f.value("B"), t = f.value("tpb");
  const double a = f.value("a"), spacing = f.value("c"), dms = f.value("dms");
  // The two-bolt base has no stiffeners.
  const double tj = withStiffeners ? f.value("tjjl") : 0, hj = withStiffeners ? f.value("hjjl") : 0;
  Drawing d;
  d.title = withStiffeners ? "四锚栓铰接柱脚" : "两锚栓铰接柱脚";
  d.textHeight = sheetTextHeight(std::max(L, B), textScale);
  const double h = d.textHeight;
  Sketch s(d);

  const ShearKey key = readShearKey(f);

  // Plan.
  planPlateAndColumn(s, L, B, c);
  planShearKey(s, key);
  planCentreLines(s, L, B);
  const double boltY = c.tw / 2 + a;
  const double boltX = withStiffeners ? tj / 2 + spacing : 0;
  if (withStiffeners) {
    s.rectangle(-tj / 2, c.tw / 2, tj / 2, B / 2, Layer::Stiffeners);
    s.rectangle(-tj / 2, -B / 2, tj / 2, -c.tw / 2, Layer::Stiffeners);
  }
  for (const double y : {-boltY, boltY}) {
    if (withStiffeners) {
      s.hole({-boltX, y}, dms);
      s.hole({boltX, y}, dms);
    } else {
      s.hole({0, y}, dms);
    }
  }
  s.dimension(Side::Below, -c.hb / 2, c.hb / 2, -B / 2, 0, f.shown("", "hb"));
  s.dimension(Side::Below, -L / 2, L / 2, -B / 2, 1, f.shown("EdtL", "L"));
  s.dimension(Side::Left, -c.bf / 2, c.bf / 2, -L / 2, 0, f.shown("", "bf"));
  s.dimension(Side::Left, -B / 2, B / 2, -L / 2, 1, f.shown("EdtB", "B"));
  // Each bolt from the web and from the plate side, on both sides of the web.
  const std::string edgeText = distanceText(f, B / 2 - boltY, "", "bt"), aText = f.shown("", "a");
  s.dimension(Side::Right, -B / 2, -boltY, L / 2, 0, edgeText);
  s.dimension(Side::Right, -boltY, -c.tw / 2, L / 2, 0, aText);
  s.dimension(Side::Right, c.tw / 2, boltY, L / 2, 0, aText);
  s.dimension(Side::Right, boltY, B / 2, L / 2, 0, edgeText);
  if (withStiffeners) {
    s.dimension(Side::Above, -boltX, -tj / 2, B / 2, 0, f.shown("", "c"));
    s.dimension(Side::Above, tj / 2, boltX, B / 2, 0, f.shown("", "c"));
  }
  planTitle(s, boltNote(withStiffeners ? 4 : 2, f.shown("", "dms"), dms));

  // Elevation along the plate length.
  const double y0 = elevationBase(d, key);
  const double top = elevationPlate(s, 0, L, y0, t);
  const double stub = columnStub(c, withStiffeners ? hj : 0);
  elevationColumn(s, 0, c.hb, c.tf, top, top + stub);
  const double below = footing(s, f, key, 0, L, y0, true);
  elevationCentreLine(s, 0, below, top + stub + 1.5 * h);
  s.dimension(Side::Left, y0, top, -L / 2, 0, f.shown("Edttpb", "tpb"));
  if (withStiffeners) {
    s.rectangle(-tj / 2, top, tj / 2, top + hj, Layer::Stiffeners);
    s.dimension(Side::Left, top, top + hj, -L / 2, 0, f.shown("Edthjjl", "hjjl"));
    s.weld({tj / 2, top + hj * 0.6}, c.hb / 2 - tj / 2 + 2 * h, hj * 0.4 + 1.5 * h, weldText(f.shown("Edthfjjl", "hf3")));
    s.note({-tj / 2, top + hj * 0.8}, -(c.hb / 2 - tj / 2 + 2 * h), hj * 0.2 + 1.5 * h,
           "加劲肋厚 " + f.shown("Edttjjl", "tjjl"));
  }
  s.weld({c.hb / 2, top}, 2.5 * h, 2 * h, weldText(f.shown("edthf11", "hf11")));
  s.title({0, below - 2.4 * h}, "立面图");
  return d;
}

}  // namespace pedivo::drawing
