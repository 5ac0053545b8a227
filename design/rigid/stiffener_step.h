#pragma once
// The anchor-bolt stiffener of the eight- and ten-bolt bases as one step: the loads it takes, its
// section at the current height, its bending and shear stresses, and which way it bends. The step
// returns what it found; the held values are written from that record in one place, and the
// report's texts that depend on the way it bends are written beside it from the held branch.

#include <optional>
#include <string>

#include "design/common/stiffener_welds.h"

namespace pedivo {
struct Materials;
}

namespace pedivo::rigidbase {
struct RigidGeometry;
}

namespace pedivo::rigid {

struct RigidPlateHeld;

// Which load governs the stiffener, and so the arm it bends over.
enum class StiffenerBending {
  NotWorkedOut,  // the stiffener was not sized (a blank window): the report writes the form across
  AlongLength,   // the pressure beside a bolt (Vi1) or the bolt itself (Nta): over a + lt, at half of it
  AcrossWidth,   // the pressure across the flange's outstand (Vi2): over (B − bf)/4
};

struct StiffenerStresses {
  double Vi1, Vi2, Vi12, Vimax;  // the loads: beside a bolt, across the outstand, the larger, with Nta, N
  double ylvR;                   // shear over the section below the corner cut, N/mm²
  double Ws;                     // section modulus (hs − 15)²·ts/6, mm³
  double ylfR;                   // bending stress over the arm of the governing load, N/mm²
  double fy, f1;                 // the stiffener steel's yield and its strength by its thickness
  double ylequ;                  // equivalent stress √(σ² + 3τ²)
  StiffenerBending bending;
};

// The stiffener at the held height and thickness, on the held plate, pressure and bolt tension.
// A thickness beyond the strength table keeps the held f1.
StiffenerStresses stiffenerStresses(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h);
void holdStiffenerStresses(RigidPlateHeld& h, const StiffenerStresses& s);

// The stiffener's welds to the plate and to the column, and what they were worked out from.
struct StiffenerWeldStep {
  StiffenerWeldInputs in;                // ffw, and the outstand lw the plate weld runs over
  std::optional<StiffenerWelds> welds;   // none for a given leg that leaves a weld no length
};

// The welds' inputs for the held stiffener; its outstand follows the held branch: a + lt along the
// length, B/2 − bf/2 across.
StiffenerWeldInputs stiffenerWeldInputs(const Materials& m, const RigidPlateHeld& h);
// ffw and lw always; the leg and the weld stresses where they were found.
void holdStiffenerWelds(RigidPlateHeld& h, const StiffenerWeldStep& step);

// The report's bending stress and weld length with their numbers, in the form of the held branch.
std::string stiffenerBendingValues(const RigidPlateHeld& h);
std::string stiffenerWeldOutstandValues(const RigidPlateHeld& h);

}  // namespace pedivo::rigid
