#include "design/drawing/base_types.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {

namespace {

// The sizes both views of a pinned base draw; the two-bolt base has no stiffeners (tj = hj = 0).
struct PinnedBase {
  Section c;
  double L, B, t, a, spacing, dms, tj, hj;
  bool withStiffeners;
  ShearKey key;
};

PinnedBase readPinnedBase(const DesignFacts& f, bool withStiffeners) {
  return {readSection(f),
          f.value("L"),
          f.value("B"),
          f.value("tpb"),
          f.value("a"),
          f.value("c"),
          f.value("dms"),
          withStiffeners ? f.value("tjjl") : 0,
          withStiffeners ? f.value("hjjl") : 0,
          withStiffeners,
          readShearKey(f)};
}

// Plan: the plate round the column, the bolts at a from the web (and c from the stiffeners), each
// bolt dimensioned from the web and from the plate side on both sides of the web.
void pinnedPlan(Sketch& s, const DesignFacts& f, const PinnedBase& p) {
  const Section& c = p.c;
  const double L = p.L, B = p.B, tj = p.tj;
  planPlateAndColumn(s, L, B, c);
  planShearKey(s, p.key);
  planCentreLines(s, L, B);
  const double boltY = c.tw / 2 + p.a;
  const double boltX = p.withStiffeners ? tj / 2 + p.spacing : 0;
  if (p.withStiffeners) {
    s.rectangle(-tj / 2, c.tw / 2, tj / 2, B / 2, Layer::Stiffeners);
    s.rectangle(-tj / 2, -B / 2, tj / 2, -c.tw / 2, Layer::Stiffeners);
  }
  for (const double y : {-boltY, boltY}) {
    if (p.withStiffeners) {
      s.hole({-boltX, y}, p.dms);
      s.hole({boltX, y}, p.dms);
    } else {
      s.hole({0, y}, p.dms);
    }
  }
  s.dimension(Side::Below, -c.hb / 2, c.hb / 2, -B / 2, 0, f.shown("", "hb"));
  s.dimension(Side::Below, -L / 2, L / 2, -B / 2, 1, f.shown("EdtL", "L"));
  s.dimension(Side::Left, -c.bf / 2, c.bf / 2, -L / 2, 0, f.shown("", "bf"));
  s.dimension(Side::Left, -B / 2, B / 2, -L / 2, 1, f.shown("EdtB", "B"));
  const std::string edgeText = distanceText(f, B / 2 - boltY, "", "bt"), aText = f.shown("", "a");
  s.dimension(Side::Right, -B / 2, -boltY, L / 2, 0, edgeText);
  s.dimension(Side::Right, -boltY, -c.tw / 2, L / 2, 0, aText);
  s.dimension(Side::Right, c.tw / 2, boltY, L / 2, 0, aText);
  s.dimension(Side::Right, boltY, B / 2, L / 2, 0, edgeText);
  if (p.withStiffeners) {
    s.dimension(Side::Above, -boltX, -tj / 2, B / 2, 0, f.shown("", "c"));
    s.dimension(Side::Above, tj / 2, boltX, B / 2, 0, f.shown("", "c"));
  }
  planTitle(s, boltNote(p.withStiffeners ? 4 : 2, f.shown("", "dms"), p.dms));
}

// Elevation along the plate length: plate, column stub, footing, and the stiffener with its weld.
void pinnedElevation(Drawing& d, Sketch& s, const DesignFacts& f, const PinnedBase& p) {
  const Section& c = p.c;
  const double L = p.L, tj = p.tj, hj = p.hj, h = d.textHeight;
  const double y0 = elevationBase(d, p.key);
  const double top = elevationPlate(s, 0, L, y0, p.t);
  const double stub = columnStub(c, hj);
  elevationColumn(s, 0, c.hb, c.tf, top, top + stub);
  const double below = footing(s, f, p.key, 0, L, y0, true);
  elevationCentreLine(s, 0, below, top + stub + 1.5 * h);
  s.dimension(Side::Left, y0, top, -L / 2, 0, f.shown("Edttpb", "tpb"));
  if (p.withStiffeners) {
    s.rectangle(-tj / 2, top, tj / 2, top + hj, Layer::Stiffeners);
    s.dimension(Side::Left, top, top + hj, -L / 2, 0, f.shown("Edthjjl", "hjjl"));
    s.weld({tj / 2, top + hj * 0.6}, c.hb / 2 - tj / 2 + 2 * h, hj * 0.4 + 1.5 * h, weldText(f.shown("Edthfjjl", "hf3")));
    s.note({-tj / 2, top + hj * 0.8}, -(c.hb / 2 - tj / 2 + 2 * h), hj * 0.2 + 1.5 * h,
           "加劲肋厚 " + f.shown("Edttjjl", "tjjl"));
  }
  s.weld({c.hb / 2, top}, 2.5 * h, 2 * h, weldText(f.shown("edthf11", "hf11")));
  s.title({0, below - 2.4 * h}, "立面图");
}

}  // namespace

// Pinned bases: the plate just round the column, the bolts between the flanges at the distance a
// from the web; the four-bolt base adds a stiffener each side of the web at mid-depth, from the
// web to the plate edge, with a bolt each side of it at the distance c.
Drawing drawPinnedBase(const DesignFacts& f, bool withStiffeners, double textScale) {
  const PinnedBase p = readPinnedBase(f, withStiffeners);
  Drawing d;
  d.title = withStiffeners ? "四锚栓铰接柱脚" : "两锚栓铰接柱脚";
  d.textHeight = sheetTextHeight(std::max(p.L, p.B), textScale);
  Sketch s(d);
  pinnedPlan(s, f, p);
  pinnedElevation(d, s, f, p);
  return d;
}

}  // namespace pedivo::drawing
