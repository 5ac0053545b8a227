#include "design/bootbeam/rib_record.h"

#include "design/bootbeam/boot_beam.h"

namespace pedivo::bootbeam {

RibRecord ribInputs(const tables::SteelGrade* steel, const BootBeamHeld& h) {
  RibRecord r;
  r.steel = steel;
  r.tsh = h.tsh, r.ta = h.ta, r.n = h.n, r.tpb = h.tpb, r.a = h.a, r.lt = h.lt, r.tjjl = h.tjjl, r.f1 = h.f1;
  return r;
}

void keepRibs(RibRecord inputs, BootBeamHeld& h, long rounds) {
  RibRecord& r = inputs;
  // A rib that met the top plate grew thicker instead of higher: a higher boot beam may differ.
  r.kept = ribClearOfTopPlate(h.hsh, h.tp, h.hjjl);
  r.Ntal = h.Ntal, r.Vimax = h.Vimax, r.hf3 = h.hf3, r.hjjl = h.hjjl, r.tjjlAfter = h.tjjl, r.ffw = h.ffw;
  r.ylnf = h.ylnf, r.ylvf = h.ylvf, r.fy = h.fy, r.f1After = h.f1, r.ylvR = h.ylvR, r.ylfR = h.ylfR;
  r.ylequ = h.ylequ, r.write1 = h.write1, r.write2 = h.write2;
  r.rounds = rounds;
  h.ribRecord = r;
}

bool takeKeptRibs(const tables::SteelGrade* steel, BootBeamHeld& h) {
  const RibRecord& r = h.ribRecord;
  // Every rib tried stands no higher than the last, so each had room below this top plate too.
  const bool same = r.kept && r.steel == steel && r.tsh == h.tsh && r.ta == h.ta && r.n == h.n && r.tpb == h.tpb &&
                    r.a == h.a && r.lt == h.lt && r.tjjl == h.tjjl && r.f1 == h.f1 &&
                    ribClearOfTopPlate(h.hsh, h.tsh, r.hjjl);
  if (!same) return false;
  h.tp = h.tsh;
  h.Ntal = r.Ntal, h.Vimax = r.Vimax, h.hf3 = r.hf3, h.hjjl = r.hjjl, h.tjjl = r.tjjlAfter, h.ffw = r.ffw;
  h.ylnf = r.ylnf, h.ylvf = r.ylvf, h.fy = r.fy, h.f1 = r.f1After, h.ylvR = r.ylvR, h.ylfR = r.ylfR;
  h.ylequ = r.ylequ, h.write1 = r.write1, h.write2 = r.write2;
  return true;
}

}  // namespace pedivo::bootbeam
