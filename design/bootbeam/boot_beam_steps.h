#pragma once
// The steps both boot-beam bases share: the forces and the section, the pressure under the plate,
// the anchor bolts, the plate over its panels, the boot beams, their welds to the column and the
// welds of column and boot beams to the plate. Where the two bases differ in shape, the
// difference is a value of their geometry (rigidbase::RigidGeometry); where they differ in one
// formula of a shared step, or in what each lists and reports of its own, it is a row of
// BootBeamType.

#include <span>
#include <string>

#include "design/bootbeam/boot_beam.h"
#include "design/bootbeam/boot_beam_outstand.h"
#include "design/common/bearing_step.h"
#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/column_section.h"
#include "design/common/design_check.h"
#include "design/common/exposed_rigid_trial.h"
#include "design/common/plate_layout.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_geometry.h"
#include "design/common/size_rows.h"
#include "design/common/tables.h"
#include "design/common/tag_table.h"

namespace pedivo::bootbeam {

using Held = BootBeamHeld;

// Where a step sends the design next.
enum class Next {
  Continue,  // to the following step (after the last one: designed)
  Sizes,     // back to the plate sizes: a thicker boot beam or stiffener widens the plate
  BootBeam,  // back to the boot-beam section with a higher boot beam
};

// What sets the T-shaped and the channel base apart within the shared steps.
struct BootBeamType {
  // Bolts in tension, first bolt, pressure policy, and where the stiffeners (ribs) and the tension
  // bolts stand.
  const rigidbase::RigidGeometry* geometry;
  // The plate panels' moments, and the plate thickness from them (and from the tension bolts).
  void (*panels)(Held&);
  void (*plateThickness)(const Materials&, Held&);
  const char* withinBoltRowFormula;    // its formula within the bolt row, for the report
  // The first leg of the plate welds rounded to even millimetres: up, or from past a half.
  double (*plateWeldLegRounding)(double);
  bool holdsFlangeStrength;  // the plate welds hold the column flange's strength fFlange, listed as f
  // What is designed beyond the boot beams: stiffeners, or ribs and a diaphragm.
  Next (*beyondBootBeams)(const Materials&, Held&, RoundLimit&);
  // The report's words for the same quantities.
  const char* stiffenerName;                // the part beside the tension bolts
  const char* panel1Pressure;               // the pressure on the three-side panel of M221
  // What the base lists and reports of its own beside what both bases show, in the report's order:
  // its pressure tags, then its panels' after the bearing, its boot-beam moments after the section,
  // its parts beyond the stiffeners (the diaphragm), and last its own tags.
  std::span<const HeldField<Held>> ownFields;
  std::span<const HeldTag<Held>> pressureTags;
  void (*panelTags)(const Held&, const TagEmitter&);
  std::span<const HeldTag<Held>> momentTags;
  std::span<const HeldTag<Held>> partTags;
  void (*ownTags)(const Held&, const TagEmitter&);
  // The tags of the boot beam's cantilever moments written with their numbers.
  CantileverMomentTags cantileverMomentTags;
  // The report's working values of the parts beyond the boot beams, written beside their steps:
  // the stiffener's load and stresses, or the rib's stresses and the diaphragm's load.
  void (*partValues)(const Held&, const TagEmitter&);
  // The numbers of the base's own checks beyond the shared ones; false for a check it does not own.
  bool (*ownCheckValues)(DesignCheck&, const Held&);
};

using rigidbase::Bearing;
using rigidbase::PlatePlan;
using rigidbase::Trial;

// The span s of the channel's diaphragm load: the outstand beyond the column and the bolt edge.
double diaphragmSpan(const Held& h);

// The linear pressure under the plate at distance x from the compressed edge.
double pressureAt(const Held& h, double x);

// The forces, the column section and the grout of the entries, and the base's bolts in tension.
void readForcesAndSection(const BootBeamType& type, const Entries& e, Held& h);
// The same, and the base's first bolt and thicknesses.
void startPass(const BootBeamType& type, const Entries& e, Held& h);
// The plate layout of the entries for the current bolt: Aems, a, c, lt, bt.
void plateLayoutSizes(const TypedPlateSizes& typed, Held& h);
void concreteAndLimit(const Materials& m, Held& h);

// The pressure under the plate and the bolt tension; false for axial tension within
// the bolt rows, which the method does not cover.
bool pressureUnderPlate(const BootBeamType& type, Held& h, RoundLimit& rounds);

// The T-shaped base's plan of a layout round a column hb deep with flanges bf wide and boot beams
// tsh thick: B0 = 2c + bf + 2bt + 2tsh, brought to whole tens with a and c taking the growth.
PlatePlan tShapedPlatePlan(const PlateLayout& layout, double hb, double bf, double tsh);
// The channel base's plan: the flange width with the boot beams and 20 mm beyond each, and the
// length 2(a + lt) + hb, both to whole tens; the layout stays as it is.
PlatePlan channelPlatePlan(const PlateLayout& layout, double hb, double bf, double tsh);

// The bearing the rounds found, as the boot-beam bases hold it: the eccentricity, the concrete,
// the limit write3 and the pressure, and the steel's modulus once a round fell beyond the bolt
// row. The plan is each base's own to hold.
void holdBootBeamBearing(Held& h, const rigidbase::BearingStep& step);

// The plate thickness from the largest panel moment M2: tpbc, its f and thickness group.
void panelPlateThickness(const Materials& m, Held& h);

// Shear stress in the welds of a boot beam to the column; none before a weld is sized.
double bootBeamWeldStress(const Held& h);
// The leg the flange force asks of the welds of a boot beam to the column, before any rounding.
double bootBeamWeldLegNeeded(const Held& h);

// The flange force of the column a boot beam carries (Vsh1), the bolt row's tension (Vsh2) and
// the larger, N.
struct BootBeamShear {
  double Vsh1, Vsh2, Vshmax;
};
BootBeamShear bootBeamShear(const Held& h);

// The boot beam beyond the column as a cantilever: the pressure's moment on it, the bolt row's
// pull Ta·a where the type has one (else 0), and the larger of them, N·mm.
struct CantileverMoments {
  double pressure, boltRow, largest;
};

// What the section's height leaves unchanged: the thickness, the plate, the largest moment and
// shear, each product written as the section's formulas group it.
struct SectionTerms {
  double tsh, tpb;
  double plateArea;          // t·B, which is the same product as B·t
  double plateSecondMoment;  // B·t³/12
  double doubleThickness;    // 2·tsh
  double Mshmax;
  double shearNumerator;     // 1.5·Vshmax
};
SectionTerms sectionTerms(const Held& h, double Mshmax, double Vshmax);

// The section's neutral axis above the plate's middle (ax), its second moment (Ix), the bending
// stress at the top of the boot beams (ylm) and the shear stress (ylvx) at the height hsh. The one
// source of these formulas, for the full section and for the fast trial of heights alike.
struct SectionStresses {
  double ax, Ix, ylm, ylvx;
};
SectionStresses sectionStresses(const SectionTerms& t, double hsh);

// The two boot-beam plates with the base plate as their flange at the held height, as a cantilever
// beyond the column and as a span between the flanges: the forces and moments they carry, their
// stresses, and the bending and shear strengths of the thickness tsh.
struct BootBeamSection {
  double ax, Ix;
  BootBeamShear shear;
  double Msh2;  // the span between the flanges
  CantileverMoments cantilever;
  double Mshmax;
  double ylm, ylvx;
  tables::BendingShearStrength strength;
  bool holds() const { return !(ylm > strength.f || ylvx > strength.fv); }
};
BootBeamSection bootBeamSectionAt(const BootBeamType& type, const Materials& m, const Held& h);

// The section's values held; its f, the boot beam's at this thickness, is the shared f from here.
void holdBootBeamSection(const BootBeamType& type, Held& h, const BootBeamSection& s);

// The same section's bending and shear at another boot-beam height, the thickness, the plate, the
// moments and the strengths of the section `at` kept: only the terms with hsh are worked out again,
// for a boot beam that grows in height round by round.
class SectionAtHeight {
 public:
  SectionAtHeight(const Held& h, const BootBeamSection& at);
  bool holds(double hsh) const;

 private:
  SectionTerms terms_;
  double f_, fv_;
};

// Column and boot beams welded all round to the plate at leg hf5: the column flanges' area AF, the
// welds' area Aeww and second moment Iw, the normal stresses under N (ylnc) and M (ylmc), their
// sum ylf, the shear ylv and the combined ylfs.
struct PlateWelds {
  double AF, Aeww, ylnc, Iw, ylmc, ylv, ylf, ylfs;
  bool holds(double ffw) const;
};
// Stops the calculation where the welds beyond the column have no length left.
PlateWelds plateWeldsAt(const Held& h);

// What the weld of each boot beam to the column flange came to.
enum class ColumnWeldEnd {
  Holds,
  NoLength,         // hsh − 35 ≤ 0: the weld has no length and the calculation stops
  BeyondLargestLeg, // the leg the flange force asks for is beyond 16 mm: a higher boot beam, a longer weld
  ThickerBootBeam,  // the leg beyond a boot beam thinner than the flange
  HigherBootBeam,   // the leg beyond the flange, the boot beam at least as thick: a longer weld
};

// The weld of each boot beam to the column flange carrying the flange force: its strength, its
// length hsh − 20 − 15, the smallest leg 1.5·√max(tsh, tf), and the leg the force asks for, at
// least the smallest, up to even and grown until the weld counts over its whole length.
struct BootBeamColumnWeld {
  double ffw, lf, minimumLeg, hf2;
  ColumnWeldEnd end;
};
// The rounds the leg takes to grow for the weld's length are spent in `rounds`.
BootBeamColumnWeld bootBeamColumnWeldAt(const Materials& m, const Held& h, RoundLimit& rounds);
// ffw and lf; the leg where the weld has a length.
void holdBootBeamColumnWeld(Held& h, const BootBeamColumnWeld& w);
// The length of each boot beam's weld to the column: 20 mm short of the top, 15 at the plate.
double columnWeldLength(const Held& h);

// The leg of a fillet weld lf long from hf on: a weld counts over at most 60 legs, so the leg grows
// by 2 mm, one round a step, until 60·hf ≥ 2·hf + lf.
double legForWeldLength(double hf, double lf, RoundLimit& rounds);
// Where that growth starts counting: the 2 mm steps from hf to the leg lf/58 the counted legs ask
// for, at least one. Only an estimate: the steps are confirmed on the comparison itself.
long legStepsEstimate(double hf, double lf);

// The boot beam grows 10 mm at a time, one round each, until the weld to the column fits within
// the largest leg; it is left one step short of that height, those steps less one spent as rounds.
void raiseBootBeamForWeldLeg(Held& h, double minimumLeg, RoundLimit& rounds);

// Boot beams and everything beyond them from the starting boot-beam height, again from the
// boot-beam section whenever the boot beam grows higher.
Trial bootBeamsAndBeyond(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds);

// One design pass over the entries: a trial for each bolt tried; again with the next bolt, or from
// the plate sizes when a part grew.
template <class PlanAndBearing>
rigidbase::PassEnd bootBeamPass(const BootBeamType& type, const Entries& e, const Materials& m, Held& h,
                                RoundLimit& rounds, PlanAndBearing&& planAndBearing) {
  startPass(type, e, h);
  const TypedPlateSizes typed = readTypedPlateSizes(e);  // read once for every bolt tried
  // A trial at the current bolt: the layout, typed or from the bolt table, then the base's own plan
  // and bearing, panels and plate, the boot beams and everything beyond them.
  return rigidbase::untilDesigned(h.dms, rounds, [&] {
    return rigidbase::exposedRigidTrial(
        m.fta, h, [&] { plateLayoutSizes(typed, h); }, planAndBearing, [&] { type.panels(h); },
        [&] { type.plateThickness(m, h); }, [&] { return bootBeamsAndBeyond(type, m, h, rounds); });
  });
}

// ---- a given base ----------------------------------------------------------------------------

// The sizes of the boot beams with their welds, alike on both bases after the bolt layout's and
// the plate's (plateSizeRows) and before the parts' beyond the boot beams.
inline constexpr SizeField<Held> bootBeamSizes[] = {
    {"hsh", &Held::hsh, "靴梁高度hsh"},
    {"tsh", &Held::tsh, "靴梁厚度tsh"},
    {"hf2", &Held::hf2, "靴梁与柱焊脚高度"},
    {"hf5", &Held::hf5, "柱及靴梁与底板焊脚高度"},
};

// The forces and the section of the entries, the base's bolts in tension and the given sizes; the
// bolt's area from the table.
template <class Fields>
void takeGivenBase(const BootBeamType& type, const Entries& e, const Fields& fields, const Sizes& s, Held& h) {
  readForcesAndSection(type, e, h);
  takeSizes(fields, s, h);
  h.Aems = givenBolt(h.dms).Aems;
}
// The pressure under the given plate and the bolts; false for axial tension within the bolt rows.
bool givenPressureAndBolts(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds);
// The boot beams of given height and thickness, their welds to the column and to the plate at
// the given legs, each evaluated once; a weld with no length left cannot be checked.
void checkBootBeams(const BootBeamType& type, const Materials& m, Held& h, GivenSizeFindings& findings);
// A given base up to its boot beams, each step once on the given sizes: the pressure and the
// bolts, the panels and the thickness the plate needs (the given thickness kept), and the boot
// beams with their welds. False for axial tension within the bolt rows.
bool givenPlateAndBootBeams(const BootBeamType& type, const Materials& m, Held& h, RoundLimit& rounds,
                            GivenSizeFindings& findings);
// The first leg of the plate welds on a plate tpb thick, the smallest a design gives them.
double plateWeldStartingLeg(const BootBeamType& type, double tpb);
// The rules of the plate, the boot beams and their welds that a design keeps.
void bootBeamRules(const BootBeamType& type, const Held& h, GivenSizeFindings& findings);

// The detailing run of one base over its design pass pass(working entries, materials, held,
// rounds), which writes the plate layout it found back for the next pass; closing() gives the
// message of a designed base. A designed base gets its shear key last.
template <class DesignPass, class ClosingMessage>
Outcome detailedDesign(const Entries& entries, Held& h, DesignPass&& pass, ClosingMessage&& closing) {
  RoundLimit rounds;
  const Materials materials = readMaterials(entries);
  Outcome outcome = rigidbase::detailingRun(
      entries, h.rerun,
      [&](const Entries& working) {
        const rigidbase::PassEnd end = pass(working, materials, h, rounds);
        return std::pair{end, PlateLayout{h.Aems, h.a, h.c, h.lt, h.bt}};
      },
      closing);
  if (outcome.ending == Ending::Completed) designKeyUnder(materials, h);
  return outcome;
}

}  // namespace pedivo::bootbeam
