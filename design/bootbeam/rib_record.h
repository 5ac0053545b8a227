#pragma once
// The channel's ribs beside the tension bolts read the boot beam's height only to tell whether a
// rib may still grow below the top plate. A boot beam that grows 10 mm at a time designs the same
// ribs again from the same inputs; what they came to is kept, and taken over while the tallest rib
// they tried stays clear of the top plate of the higher boot beam.

namespace pedivo::tables {
struct SteelGrade;
}

namespace pedivo::bootbeam {

struct BootBeamHeld;

struct RibRecord {
  bool kept = false;
  // What the ribs read.
  const tables::SteelGrade* steel = nullptr;
  double tsh = 0, ta = 0, n = 0, tpb = 0, a = 0, lt = 0, tjjl = 0, f1 = 0;
  // What they came to.
  double Ntal = 0, Vimax = 0, hf3 = 0, hjjl = 0, tjjlAfter = 0, ffw = 0, ylnf = 0, ylvf = 0;
  double fy = 0, f1After = 0, ylvR = 0, ylfR = 0, ylequ = 0, write1 = 0, write2 = 0;
  long rounds = 0;  // spent on them
};

// Whether a rib hjjl high leaves room below the top plate tp thick of a boot beam hsh high.
inline bool ribClearOfTopPlate(double hsh, double tp, double hjjl) { return hsh - tp - 20 > hjjl; }

// The ribs' inputs as they stand, before the ribs are designed.
RibRecord ribInputs(const tables::SteelGrade* steel, const BootBeamHeld& h);
// Keeps what the ribs designed from `inputs` came to, in `rounds` rounds, where every rib they
// tried was clear of the top plate; otherwise keeps nothing.
void keepRibs(RibRecord inputs, BootBeamHeld& h, long rounds);
// Where the kept ribs are those the inputs of `h` would design, their values written into `h`
// (the top plate's thickness taken from the boot beam as the ribs take it) and true.
bool takeKeptRibs(const tables::SteelGrade* steel, BootBeamHeld& h);

}  // namespace pedivo::bootbeam
