#pragma once
// The fillet welds of an H column to its base plate, flanges and web welded all round. The
// flanges and the web welds share N, the flanges alone take M as a couple, the web welds carry V.
// The leg grows by 2 mm until the combined stress in the web welds is within ffw; the growth
// stops too when the flange stress exceeds f, since no weld helps there.

#include <optional>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/column_section.h"

namespace pedivo {

struct ColumnWeldInputs {
  ColumnSection section;
  double N, M, V;  // N, N·mm, N; M = 0 for a pinned base
  double ffw;      // fillet-weld strength
  double f;        // strength of the flange for its thickness
};

struct ColumnWelds {
  double hf11;  // the leg
  double AF;    // area of one flange
  double Aeww;  // effective area of the two web welds
  double ylnc;  // stress from N in flanges and web welds
  double Wc;    // section modulus of the flanges about the web
  double ylmc;  // flange stress from M
  double ylv;   // shear in the web welds from V
  double ylfs;  // combined stress in the web welds, √((σN/βf)² + τV²)
  double ylf;   // flange stress from N and M
};

// The effective length of one web weld of leg hf, hb − 2tf − 2hf.
double webWeldLength(const ColumnSection& section, double hf);
// The welds of leg hf as they stand; the web welds must have a length.
ColumnWelds columnWeldsAt(const ColumnWeldInputs& in, double hf);

// The same for a given leg, or none when the web welds have no length left: the flange and weld
// checks then cannot be evaluated.
std::optional<ColumnWelds> givenColumnWelds(const ColumnWeldInputs& in, double hf, GivenSizeFindings& findings);

// The welds from the smallest leg on a plate tpb thick; each larger leg is a round.
ColumnWelds columnToPlateWelds(const ColumnWeldInputs& in, double tpb, RoundLimit& rounds);

}  // namespace pedivo
