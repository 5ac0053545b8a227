#pragma once
// Embedded rigid base: the depth to which the column is inserted into the foundation.

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/module.h"

namespace pedivo::embedded {

// How the insertion depth dc was set.
enum class DepthSetBy {
  NotWorkedOut,  // a blank window
  AxialForce,    // H1, the depth N pulls out over, up to whole tens
  LeastDepth,    // H1min = max(1.5hb, 500), up to whole tens: N asks no more
  Moment,        // deepened 10 mm a round from there until the concrete resists the moment
  Given,         // the depth of a check of given sizes
};

struct EmbeddedHeld {
  double N = 0, M = 0, V = 0;             // forces at the column foot: N, N·mm, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double fc = 0, fct = 0;                 // concrete strengths
  double H1 = 0;                          // depth the axial force needs
  double H1min = 0;                       // minimum depth
  double H2 = 0;                          // insertion depth dc
  double write1 = 0, write2 = 0;          // acting and resisting moment at H2
  DepthSetBy depthSetBy = DepthSetBy::NotWorkedOut;
};

// The depths N and the column ask for whatever the moment, from the held forces, section and
// concrete.
struct DepthDemands {
  double H1;     // N pulled out over the perimeter of the section in tension: N/[2·ft·(2bf + hb − tw)]
  double H1min;  // the least depth, max(1.5hb, 500)
};
DepthDemands depthDemands(const EmbeddedHeld& h);

// The insertion depth and the moments at it.
struct InsertionDepth {
  DepthDemands demands;
  double start;           // the deeper demand up to whole tens (a check: the given depth)
  double H2;              // the depth dc
  double write1, write2;  // acting moment M + V·dc/2 and the concrete's resisting moment at dc
  DepthSetBy setBy;
};
// From the deeper demand, 10 mm deeper a round until the concrete resists the moment.
InsertionDepth designedDepth(const EmbeddedHeld& h, const DepthDemands& demands, RoundLimit& rounds);
// The given depth H2 as it stands.
InsertionDepth givenDepth(const EmbeddedHeld& h, const DepthDemands& demands, double H2);
void holdDepth(EmbeddedHeld& h, const InsertionDepth& depth);

Outcome calculateEmbedded(const Entries& entries, EmbeddedHeld& held);
// The depth given in `sizes` ("H2") checked under the entries' forces.
Outcome checkEmbedded(const Entries& entries, const Sizes& sizes, EmbeddedHeld& held, GivenSizeFindings& findings);
const ModuleDescriptor& embeddedModule();

}  // namespace pedivo::embedded
