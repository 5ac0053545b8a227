#pragma once
// Embedded rigid base: the depth to which the column is inserted into the foundation.

#include "design/common/check_mode.h"
#include "design/common/module.h"

namespace pedivo::embedded {

struct EmbeddedHeld {
  double N = 0, M = 0, V = 0;             // forces at the column foot: N, N·mm, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double fc = 0, fct = 0;                 // concrete strengths
  double H1 = 0;                          // depth the axial force needs
  double H1min = 0;                       // minimum depth
  double H2 = 0;                          // insertion depth dc
  double write1 = 0, write2 = 0;          // acting and resisting moment at H2
};

Outcome calculateEmbedded(const Entries& entries, EmbeddedHeld& held);
// The depth given in `sizes` ("H2") checked under the entries' forces.
Outcome checkEmbedded(const Entries& entries, const Sizes& sizes, EmbeddedHeld& held, GivenSizeFindings& findings);
const ModuleDescriptor& embeddedModule();

}  // namespace pedivo::embedded
