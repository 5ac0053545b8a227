#pragma once
// What the two pinned bases share: the plate round the column and its bearing, the critical
// plate panel between the flanges and its thickness, the fillet welds of column to plate, and
// the report lines, result fields and checks of these parts.

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/column_welds.h"
#include "design/common/design_check.h"
#include "design/common/module.h"
#include "design/common/shear_key.h"
#include "design/common/size_rows.h"
#include "design/common/standard_controls.h"
#include "design/common/type_binding.h"

namespace pedivo::pinned {

// How the critical panel's moment was taken: as a cantilever of length b2 when the panel is short
// against its free edge (b2/a2 below the limit), else as a panel supported on three sides with α.
// The report's formula and the plate check's text follow it.
enum class PanelMoment { Cantilever, ThreeSide };

struct PinnedPlateHeld {
  double N = 0, V = 0;                    // axial compression and shear, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double dms = 0, Aems = 0;               // anchor bolt
  double a = 0, c = 0, lt = 0, bt = 0;    // detailing distances
  double L = 0, B = 0;                    // plate plan
  double fc = 0, ylc = 0;                 // bearing under the plate
  double Vfb = 0;                         // friction resistance 0.4·N
  double b2 = 0, a2 = 0, r1 = 0, alf = 0, M2 = 0;  // critical plate panel
  // Before the panel is worked out its ratio 0 reads as a cantilever.
  PanelMoment panelMoment = PanelMoment::Cantilever;
  double f = 0;                           // the column flange's strength, in the welds to the plate
  double tpbc = 0, tpb = 0;               // plate thickness
  double fpb = 0;                         // strength of the plate in its thickness group
  double co = 0, Mo = 0, fpbo = 0, tpbo = 0;  // the plate's overhang past the column as a cantilever
  double hf11 = 0, AF = 0, Aeww = 0;      // column-to-plate welds
  double ylnc = 0, ylv = 0, ylfs = 0, ffw = 0;
  ShearKey key;                           // under the plate where friction does not carry V
};

// Every quantity above by its name.
extern const HeldField<PinnedPlateHeld> pinnedPlateFields[37];

// N, V, the section, the bolt diameter from its list and the grout under the plate.
void readInputs(const Entries& e, PinnedPlateHeld& h, const char* diameterList);
// Detailing distances from the bolt table, or the user's own sizes.
void detailingSizes(const Entries& e, PinnedPlateHeld& h);
// The plate's plan and the bearing under it.
struct PlateBearing {
  double L, B;     // plan, mm
  double fc, ylc;  // the concrete's strength and the bearing stress N/(B·L)
  double Vfb;      // friction resistance 0.4·N
};
// The steps of 10 mm each way that bring the plate's area to N/fc, the root k of
// (L + 10k)(B + 10k) = N/fc: only an estimate for the search of the first step that bears to start
// from; 0 where it could raise a floating-point flag.
double bearingStepsEstimate(double N, double fc, double L, double B);
// Plate plan from the section and the held bolt layout, grown until the concrete carries N.
PlateBearing plateAndBearing(const Materials& m, const PinnedPlateHeld& h, RoundLimit& rounds);
// The bearing under the plate of the held (given) plan.
PlateBearing givenPlateBearing(const Materials& m, const PinnedPlateHeld& h);
void holdBearing(PinnedPlateHeld& h, const PlateBearing& b);

// The panel of width b2 = (B − tw)/2 and free edge a2 under the held bearing, and the thickness it
// needs at the plate's strength in its thickness group.
struct PanelThickness {
  double b2, a2, r1, alf, M2;  // the panel, its ratio, its coefficient α and its moment per unit width
  PanelMoment moment;
  double tpbc, fpb;  // the thickness it needs and the strength of the plate at that thickness
  double tpb;        // the thickness a design would take for it: whole millimetres, not below the thinnest plate
};
PanelThickness plateThickness(const Materials& m, const PinnedPlateHeld& h, double a2);
// Everything but the plate's thickness, which only a design sets.
void holdPanel(PinnedPlateHeld& h, const PanelThickness& panel);

// The plate past the flange tips or the flanges, a cantilever co long under the bearing stress.
struct OverhangThickness {
  double co, Mo, fpbo, tpbo;
  double tpb;  // the design's thickness: the panel's, or more where the overhang asks more
};
OverhangThickness plateOverhang(const Materials& m, const PinnedPlateHeld& h, double panelThickness);
// Everything but the plate's thickness, which only a design sets.
void holdOverhang(PinnedPlateHeld& h, const OverhangThickness& overhang);

// The column's fillet welds to the plate: the strengths they are checked against (f the column
// flange's by its thickness) and the welds at their leg; none for a given leg that leaves the web
// welds no length.
struct ColumnWeldStep {
  ColumnWeldInputs in;
  std::optional<ColumnWelds> welds;
};
// Grown from the smallest leg on the held plate.
ColumnWeldStep columnWelds(const Materials& m, const PinnedPlateHeld& h, RoundLimit& rounds);
// At the held (given) leg hf11.
ColumnWeldStep givenColumnWeldStep(const Materials& m, const PinnedPlateHeld& h, GivenSizeFindings& findings);
// The strengths always; the leg and the weld stresses where they were found.
void holdColumnWelds(PinnedPlateHeld& h, const ColumnWeldStep& step);

// The plate designed from the held forces and section: its layout, plan and bearing, its thickness
// for the panel of free edge a2 and for the overhang, and the column welds on it.
void designPlate(const Entries& e, const Materials& m, PinnedPlateHeld& h, double a2, RoundLimit& rounds);
// A pinned base designed: the forces, the section and the bolt picked in `diameterList` read,
// then design(materials, rounds) sizes the plate and its parts, then the shear key under it.
template <class Held, class Design>
Outcome designPinnedBase(const Entries& entries, Held& h, const char* diameterList, Design&& design) {
  RoundLimit rounds;
  const Materials materials = readMaterials(entries);
  readInputs(entries, h, diameterList);
  design(materials, rounds);
  designKeyUnder(materials, h);
  return Outcome{{doneMessage}, std::nullopt, {}, std::nullopt, Ending::Completed};
}
// Every held quantity of the plate and the key by its name.
std::vector<NamedValue> plateValues(const PinnedPlateHeld& h);
// The numbers of that list, for the overflow guard.
void scanPlateValues(const PinnedPlateHeld& h, HeldNumbersScan& numbers);

// The sizes of the plate a check takes on both pinned bases: bolt, layout a and bt (then its plan
// and thickness, plateSizeRows).
inline constexpr SizeField<PinnedPlateHeld> boltLayoutSizes[] = {
    {"dms", &PinnedPlateHeld::dms, "锚栓直径d"},
    {"a", &PinnedPlateHeld::a, "腹板边至锚栓中心a"},
    {"bt", &PinnedPlateHeld::bt, "锚栓中心至底板边bt"},
};

// The web weld's leg, under the two-bolt base's caption.
inline constexpr SizeField<PinnedPlateHeld> webWeldSize[] = {{"hf11", &PinnedPlateHeld::hf11, "底板与柱腹板焊脚高度"}};

inline constexpr auto pinnedPlateSizes =
    joinSizes<PinnedPlateHeld>(boltLayoutSizes, plateSizeRows<PinnedPlateHeld>, webWeldSize);
// The forces and the section of the entries, and the given sizes; the bolt from the table.
void takeGivenPlate(const Entries& e, const Sizes& sizes, PinnedPlateHeld& h);
// The plate of given sizes checked: its bearing, the thickness its panel (free edge a2) and its
// overhang need, and the column welds at the given leg; and the rules that a designed plate keeps.
void checkGivenPlate(const Materials& m, const Sizes& sizes, PinnedPlateHeld& h, double a2,
                     GivenSizeFindings& findings);

// Result fields "底板" … "edtshear", "edtkey" in their filling order, the report's tags up to "<#ffw>" in
// their order, what the checker needs beside them, and the checks of these parts.
std::vector<FieldText> plateResults(const PinnedPlateHeld& h);
void plateReport(const PinnedPlateHeld& h, const Entries& e, const TagEmitter& sink);
void plateCheckerTags(const PinnedPlateHeld& h, const TagEmitter& sink);
std::vector<DesignCheck> plateChecks(const PinnedPlateHeld& h);
// "抗剪键" and the checks of the key.
std::vector<DesignCheck> keyChecks(const PinnedPlateHeld& h);
// The checks of these parts and the shear key written out with their numbers (DesignCheck::values).
void writePlateValues(std::vector<DesignCheck>& checks, const PinnedPlateHeld& h);

// A pinned base's descriptor: the exposed base's inputs with its list of bolt diameters, its names,
// result groups and plates, and its functions bound with its sizes.
template <auto& sizes, class Held>
ModuleDescriptor pinnedDescriptor(ControlSpec boltList, const TypeNames& names, std::vector<ResultGroupSpec> results,
                                  std::vector<std::string_view> plates, ModuleFunctions<Held> functions,
                                  const TypeRemedies<Held>& remedies) {
  ModuleDescriptor d = standard::exposedBaseInputs(false, {std::move(boltList)});
  nameType(d, names);
  d.resultGroups = std::move(results);
  d.plateThicknesses = std::move(plates);
  bindFunctions<sizes>(d, functions, remedies);
  return d;
}

}  // namespace pedivo::pinned
