#include "design/adjust/beyond_reach.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "design/common/calculation.h"
#include "design/common/column_welds.h"
#include "design/common/numbers.h"
#include "design/common/shear_key.h"
#include "design/common/tables.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_geometry.h"

namespace pedivo::adjust {
namespace {

// The base types whose flange and column-weld checks are those of the column's welds to the
// plate (columnWeldsAt), and whether the flanges take the moment as a couple (the rigid plates)
// or N alone (the pinned plates).
struct ColumnWeldChecks {
  std::string_view id;
  bool withMoment;
};
constexpr std::array<ColumnWeldChecks, 4> weldChecked{{{"g11", true}, {"g12", true}, {"j1", false}, {"j2", false}}};

// What must fit within the flange width: spacings c, stiffener thicknesses and weld legs across
// it (from the base's geometry: 2c + 2ts + 2hf or 4c + 3ts + 2hf on the bolt plates, 2c on the
// T-shaped boot beam), and the share of the plate width's rounding that c absorbs at most.
struct Layout {
  std::string_view id;
  double spacings, stiffeners, welds, shareOfRounding;
};
Layout fitOf(std::string_view id, const rigidbase::RigidGeometry& geometry, double shareOfRounding) {
  const rigidbase::FlangeFit& fit = geometry.flangeFit;
  return {id, static_cast<double>(fit.spacings), static_cast<double>(fit.stiffeners), static_cast<double>(fit.weldLegs),
          shareOfRounding};
}
// The bolt plates' c takes a quarter of the rounding; the ten-bolt plate takes the eight-bolt
// plate's share, a bound looser than its own sixth, never tighter. The T-shaped c takes half.
constexpr double boltPlateShare = 0.25;
constexpr double tShapedShare = 0.5;
const std::array<Layout, 3> layouts{{fitOf("g11", rigidbase::eightBoltGeometry, boltPlateShare),
                                     fitOf("g12", rigidbase::tenBoltGeometry, boltPlateShare),
                                     fitOf("g2", rigidbase::tShapedGeometry, tShapedShare)}};

// Room for the rounding of stresses worked out at another leg than the best one: a check is
// taken as failing everywhere only when it fails by more than this share.
constexpr double roundingRoom = 1e-9;

// The flange's strength: that of its own thickness, and beyond the bands the one the plate's
// thickness group gives, never more than the strongest band.
double flangeStrength(const tables::SteelGrade& grade, double tf) {
  double strongest = 0;
  for (const auto& band : grade.bands) strongest = std::max(strongest, band.f);
  return tables::rolledStrength(grade, tf, strongest);
}

}  // namespace

bool columnWeldsFailUnderAnyPlate(const ModuleDescriptor& module, const Entries& entries,
                                  const std::vector<NamedValue>& held) {
  const auto checked = std::find_if(weldChecked.begin(), weldChecked.end(),
                                    [&](const ColumnWeldChecks& type) { return type.id == module.id; });
  if (checked == weldChecked.end()) return false;
  const double N = heldNumber(held, "N");
  // Under tension the flange stress is least with the smallest welds: no bound is drawn.
  if (!(N > 0)) return false;
  const ColumnSection section{heldNumber(held, "hb"), heldNumber(held, "bf"), heldNumber(held, "tw"),
                              heldNumber(held, "tf")};
  const double webDepth = section.hb - 2 * section.tf;
  if (!(webDepth > 0)) return false;
  const Materials materials = readMaterials(entries);
  // The web welds' area 2·0.7·hf·(hb − 2tf − 2hf) is largest at hf = (hb − 2tf)/4, and with N > 0
  // the flange stress and the welds' combined stress only fall as that area grows: no leg gives
  // less than this one.
  const ColumnWeldInputs in{.section = section,
                            .N = N,
                            .M = checked->withMoment ? heldNumber(held, "M") : 0,
                            .V = heldNumber(held, "V"),
                            .ffw = materials.steel->ffw,
                            .f = flangeStrength(*materials.steel, section.tf)};
  const ColumnWelds best = columnWeldsAt(in, webDepth / 4);
  return best.ylf > in.f * (1 + roundingRoom) || best.ylfs > in.ffw * (1 + roundingRoom);
}

bool layoutFailsUnderAnyPlate(const ModuleDescriptor& module, double leastC, const std::vector<NamedValue>& held) {
  const auto type = std::find_if(layouts.begin(), layouts.end(), [&](const Layout& l) { return l.id == module.id; });
  if (type == layouts.end()) return false;
  // The plate's width rounded to tens may fall up to 1 mm under its sum, and c gives up its share
  // of that at most before it is brought down to 5 mm.
  const double c = roundDownToFive(leastC - type->shareOfRounding);
  const double width =
      type->spacings * c + type->stiffeners * tables::startingStiffenerThickness + type->welds * tables::smallestPlateWeldLeg;
  return width > heldNumber(held, "bf") * (1 + roundingRoom);
}

bool shearKeyFailsUnderAnyPlate(const ModuleDescriptor& module, const Entries& entries,
                                const std::vector<NamedValue>& held) {
  if (module.id != "j1" && module.id != "j2") return false;
  const double V = heldNumber(held, "V"), Vfb = heldNumber(held, "Vfb");
  if (!(V > Vfb)) return false;
  const Materials materials = readMaterials(entries);
  const KeySeat seat{V, Vfb, heldNumber(held, "tpb"), materials.concrete.fc, materials.steel->ffw};
  return !someKeyCarries(*materials.steel, seat, heldNumber(held, "tg"));
}

std::optional<std::vector<NamedValue>> rigidSectionAndForces(const ModuleDescriptor& module, const Entries& entries) {
  if (module.id != "g11" && module.id != "g12" && module.id != "g2") return std::nullopt;
  try {
    const ColumnSection section = readColumnSection(entries);
    return std::vector<NamedValue>{{"N", rigidbase::readAxialForce(entries)},
                                   {"M", readMoment(entries)},
                                   {"V", readShear(entries)},
                                   {"hb", section.hb},
                                   {"bf", section.bf},
                                   {"tw", section.tw},
                                   {"tf", section.tf}};
  } catch (const CalculationStop&) {
    return std::nullopt;
  }
}

}  // namespace pedivo::adjust
