#include "forms/diagram_geometry.h"

#include <algorithm>

namespace pedivo::forms {
namespace {

// The H section in plan: two flanges across the width, the web between them.
void addColumn(View& drawing, const BaseDimensions& d) {
  drawing.parts.push_back({-d.hb / 2, -d.bf / 2, d.tf, d.bf, PartKind::Steel});
  drawing.parts.push_back({d.hb / 2 - d.tf, -d.bf / 2, d.tf, d.bf, PartKind::Steel});
  drawing.parts.push_back({-d.hb / 2 + d.tf, -d.tw / 2, d.hb - 2 * d.tf, d.tw, PartKind::Steel});
}

View plate(double L, double B) {
  View drawing{-L / 2, -B / 2, L / 2, B / 2, {}, {}, {}, 1};
  drawing.parts.push_back({-L / 2, -B / 2, L, B, PartKind::Plate});
  return drawing;
}

// The end of a base seen from the side, from just inside the column flange to the plate end:
// the plate, the flange and a vertical plate of the given height standing on the plate beyond it.
View endElevation(const BaseDimensions& d, double L, double height, const std::string& label, PartKind kind) {
  const double plateThickness = 20;
  const double columnTop = -height * 1.35;
  const double from = d.hb / 2 - d.tf - 40;
  View view{from, columnTop, L / 2, plateThickness, {}, {}, {}, 0.28};
  view.parts.push_back({from, 0, L / 2 - from, plateThickness, PartKind::Plate});
  view.parts.push_back({from, columnTop, d.hb / 2 - from, -columnTop, PartKind::Plate});
  view.parts.push_back({d.hb / 2 - d.tf, columnTop, d.tf, -columnTop, PartKind::Steel});
  view.parts.push_back({d.hb / 2, -height, L / 2 - d.hb / 2, height, kind});
  view.dimensions.push_back({Axis::Vertical, -height, 0, label, 1});
  return view;
}

// Plate length, section depth and the bolt rows beyond the flanges, along the top.
void lengthChain(View& drawing, const BaseDimensions& d, double L, bool boltRows) {
  if (boltRows) {
    const double flange = d.hb / 2;
    drawing.dimensions.push_back({Axis::Horizontal, -L / 2, -flange - d.a, "lt", -1});
    drawing.dimensions.push_back({Axis::Horizontal, -flange - d.a, -flange, "a", -1});
    drawing.dimensions.push_back({Axis::Horizontal, -flange, flange, "hb", -1});
    drawing.dimensions.push_back({Axis::Horizontal, flange, flange + d.a, "a", -1});
    drawing.dimensions.push_back({Axis::Horizontal, flange + d.a, L / 2, "lt", -1});
  } else {
    drawing.dimensions.push_back({Axis::Horizontal, -d.hb / 2, d.hb / 2, "hb", -1});
  }
  drawing.dimensions.push_back({Axis::Horizontal, -L / 2, L / 2, "L", -2});
}

void widthAndFlange(View& drawing, const BaseDimensions& d, double B) {
  drawing.dimensions.push_back({Axis::Vertical, -B / 2, B / 2, "B", -2});
  drawing.dimensions.push_back({Axis::Vertical, -d.bf / 2, d.bf / 2, "bf", 1});
}

// A pinned base: the plate just round the column, widened for the bolts beside the web, with
// the section and the bolt distances a (web face to bolt) and bt (bolt to plate edge).
struct PinnedPlate {
  View view;
  double B;
  double boltY;  // bolt centre line from the plate centre, across the width
};

PinnedPlate pinnedPlate(const BaseDimensions& d) {
  const double L = d.hb + 40;
  const double B = std::max(d.bf + 40, 2 * (d.a + d.bt) + d.tw);
  const double y = d.tw / 2 + d.a;
  View view = plate(L, B);
  addColumn(view, d);
  lengthChain(view, d, L, false);
  widthAndFlange(view, d, B);
  view.dimensions.push_back({Axis::Vertical, -B / 2, -y, "bt", -1});
  view.dimensions.push_back({Axis::Vertical, -y, -d.tw / 2, "a", -1});
  return {view, B, y};
}

// Two bolts between the flanges, one each side of the web.
Drawing twoBolt(const BaseDimensions& d) {
  PinnedPlate base = pinnedPlate(d);
  base.view.bolts = {{0, -base.boltY, d.dms}, {0, base.boltY, d.dms}};
  return {{base.view}, "两锚栓铰接柱脚"};
}

// Four bolts beside the two stiffeners that run from the web to the plate edges at mid-depth.
Drawing fourBolt(const BaseDimensions& d) {
  PinnedPlate base = pinnedPlate(d);
  const double stiffenerLength = base.B / 2 - d.tw / 2;
  base.view.parts.push_back({-d.tjjl / 2, -base.B / 2, d.tjjl, stiffenerLength, PartKind::Stiffener});
  base.view.parts.push_back({-d.tjjl / 2, d.tw / 2, d.tjjl, stiffenerLength, PartKind::Stiffener});
  const double x = d.tjjl / 2 + d.c;
  const double y = base.boltY;
  base.view.bolts = {{-x, -y, d.dms}, {x, -y, d.dms}, {-x, y, d.dms}, {x, y, d.dms}};
  base.view.dimensions.push_back({Axis::Horizontal, d.tjjl / 2, x, "c", 1});
  return {{base.view}, "四锚栓铰接柱脚"};
}

// Rigid plate without boot beams: a tension row of bolts beyond each flange with a stiffener
// between neighbouring bolts, and a bolt each side of the web.
Drawing rigidPlate(const BaseDimensions& d, int boltsInRow) {
  const int stiffeners = boltsInRow - 1;
  const double L = 2 * (d.a + d.lt) + d.hb;
  const double B = 2 * d.bt + 2 * stiffeners * d.c + stiffeners * d.tjjl;
  View drawing = plate(L, B);
  addColumn(drawing, d);
  const double pitch = 2 * d.c + d.tjjl;
  const double rowX = d.hb / 2 + d.a;
  for (int k = 0; k < boltsInRow; ++k) {
    const double y = -B / 2 + d.bt + k * pitch;
    drawing.bolts.push_back({-rowX, y, d.dms});
    drawing.bolts.push_back({rowX, y, d.dms});
  }
  for (int k = 0; k < stiffeners; ++k) {
    const double y = -B / 2 + d.bt + d.c + k * pitch;
    drawing.parts.push_back({-L / 2, y, L / 2 - d.hb / 2, d.tjjl, PartKind::Stiffener});
    drawing.parts.push_back({d.hb / 2, y, L / 2 - d.hb / 2, d.tjjl, PartKind::Stiffener});
  }
  const double webBoltY = d.tw / 2 + std::min(d.a, (d.bf / 2 - d.tw / 2) / 2);
  drawing.bolts.push_back({0, -webBoltY, d.dms});
  drawing.bolts.push_back({0, webBoltY, d.dms});
  lengthChain(drawing, d, L, true);
  widthAndFlange(drawing, d, B);
  drawing.dimensions.push_back({Axis::Vertical, -B / 2, -B / 2 + d.bt, "bt", -1});
  drawing.dimensions.push_back({Axis::Vertical, -B / 2 + d.bt, -B / 2 + d.bt + d.c, "c", -1});
  return {{drawing, endElevation(d, L, d.hjjl, "hs", PartKind::Stiffener)},
          boltsInRow == 3 ? "八锚栓刚接柱脚" : "十锚栓刚接柱脚"};
}

// Boot beams along the flange tips over the whole plate length.
void addBootBeams(View& drawing, const BaseDimensions& d, double L) {
  drawing.parts.push_back({-L / 2, -d.bf / 2 - d.tsh, L, d.tsh, PartKind::Steel});
  drawing.parts.push_back({-L / 2, d.bf / 2, L, d.tsh, PartKind::Steel});
}

// T-shaped boot beams: a tension row of three bolts beyond each flange, the outer two outside the
// boot beams on stiffeners, the middle one between them.
Drawing tBootBeam(const BaseDimensions& d) {
  const double L = 2 * (d.a + d.lt) + d.hb;
  const double B = 2 * d.c + d.bf + 2 * d.bt + 2 * d.tsh;
  View drawing = plate(L, B);
  addBootBeams(drawing, d, L);
  addColumn(drawing, d);
  const double rowX = d.hb / 2 + d.a;
  const double outerY = d.bf / 2 + d.tsh + d.c;
  const double outstand = d.c + d.bt;
  for (const double x : {-rowX, rowX}) {
    drawing.bolts.push_back({x, -outerY, d.dms});
    drawing.bolts.push_back({x, 0, d.dms});
    drawing.bolts.push_back({x, outerY, d.dms});
    for (const double side : {-1.0, 1.0}) {
      const double stiffenerX = x + side * (d.dms + d.tjjl / 2) - d.tjjl / 2;
      drawing.parts.push_back({stiffenerX, -B / 2, d.tjjl, outstand, PartKind::Stiffener});
      drawing.parts.push_back({stiffenerX, d.bf / 2 + d.tsh, d.tjjl, outstand, PartKind::Stiffener});
    }
  }
  lengthChain(drawing, d, L, true);
  widthAndFlange(drawing, d, B);
  drawing.dimensions.push_back({Axis::Vertical, -B / 2, -outerY, "bt", -1});
  drawing.dimensions.push_back({Axis::Vertical, -outerY, -d.bf / 2 - d.tsh, "c", -1});
  return {{drawing, endElevation(d, L, d.hsh, "hsh", PartKind::Steel)}, "T型靴梁柱脚"};
}

// Channel boot beams: boot beams with a top plate over the two bolts of each tension row,
// ribs beside the bolts and a diaphragm closing the channel towards the column.
Drawing channelBootBeam(const BaseDimensions& d) {
  const double L = 2 * (d.a + d.lt) + d.hb;
  const double B = 2 * d.tsh + d.bf + 40;
  View drawing = plate(L, B);
  addBootBeams(drawing, d, L);
  addColumn(drawing, d);
  const double rowX = d.hb / 2 + d.a;
  const double diaphragm = d.hb / 2 + d.a / 3;  // line of the diaphragm across the channel
  const double channelLength = L / 2 - diaphragm;
  for (const double side : {-1.0, 1.0}) {
    const double from = side < 0 ? -L / 2 : diaphragm;
    drawing.parts.push_back({from, -d.bf / 2, channelLength, d.bf, PartKind::TopPlate});
    drawing.parts.push_back({side * diaphragm - d.tjjl / 2, -d.bf / 2, d.tjjl, d.bf, PartKind::Stiffener});
    drawing.parts.push_back({from, -d.tjjl / 2, channelLength, d.tjjl, PartKind::Stiffener});  // rib
    drawing.bolts.push_back({side * rowX, -d.bf / 4, d.dms});
    drawing.bolts.push_back({side * rowX, d.bf / 4, d.dms});
  }
  lengthChain(drawing, d, L, true);
  widthAndFlange(drawing, d, B);
  return {{drawing, endElevation(d, L, d.hsh, "hsh", PartKind::Steel)}, "槽型靴梁柱脚"};
}

// Embedded base in elevation: the column set into the foundation to the depth dc.
Drawing embedded(const BaseDimensions& d) {
  const double width = d.hb + 2 * std::max(300.0, d.hb * 0.8);
  const double above = d.depth * 0.45;
  const double below = d.depth * 0.25;
  View drawing{-width / 2, -above, width / 2, d.depth + below, {}, {}, {}, 1};
  drawing.parts.push_back({-width / 2, 0, width, d.depth + below, PartKind::Concrete});
  drawing.parts.push_back({-d.hb / 2, -above, d.tf, above + d.depth, PartKind::Steel});
  drawing.parts.push_back({d.hb / 2 - d.tf, -above, d.tf, above + d.depth, PartKind::Steel});
  drawing.parts.push_back({-d.hb / 2 + d.tf, -above, d.hb - 2 * d.tf, above + d.depth, PartKind::Plate});
  drawing.dimensions.push_back({Axis::Vertical, 0, d.depth, "dc", 1});
  drawing.dimensions.push_back({Axis::Horizontal, -d.hb / 2, d.hb / 2, "hb", -1});
  return {{drawing}, "插入式刚接柱脚"};
}

}  // namespace

Drawing baseDrawing(const std::string& moduleId, const BaseDimensions& d) {
  if (moduleId == "j1") return twoBolt(d);
  if (moduleId == "j2") return fourBolt(d);
  if (moduleId == "g11") return rigidPlate(d, 3);
  if (moduleId == "g12") return rigidPlate(d, 4);
  if (moduleId == "g2") return tBootBeam(d);
  if (moduleId == "g3") return channelBootBeam(d);
  return embedded(d);
}

}  // namespace pedivo::forms
