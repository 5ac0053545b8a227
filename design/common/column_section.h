#pragma once
// The column at its foot as the entries give it: the H section and the forces in the core's
// units (N, N·mm). Every base type reads them the same way; the axial force alone differs, since
// the exposed rigid bases refuse N = 0 (rigidbase::readAxialForce).

#include "design/common/calculation.h"

namespace pedivo {

inline constexpr double newtonsPerKilonewton = 1000;
inline constexpr double newtonMillimetresPerKilonewtonMetre = 1000000;

struct ColumnSection {
  double hb, bf, tw, tf;  // depth, flange width, web and flange thickness, mm
};

// Edthc, Edtbf, Edttw, Edttf.
ColumnSection readColumnSection(const Entries& e);
// EdtN, EdtV in kN to N; EdtM in kN·m to N·mm.
double readAxialForceAsTyped(const Entries& e);
double readShear(const Entries& e);
double readMoment(const Entries& e);

// The report's tags of the section, "<#hb>" … "<#tf>", in the general number format.
void emitSectionTags(const ColumnSection& section, const TagEmitter& sink);

// The report's tags of what is typed as it was typed: "<#M>" where the base takes a moment,
// "<#N>", "<#V>", "<#concrete>", "<#steel>", and "<#ms>" where it has a bolt grade to name.
struct TypedInputTags {
  bool moment;
  bool boltGrade;
};
void emitTypedInputTags(const Entries& e, TypedInputTags which, const TagEmitter& sink);

// The section into a held struct of any base type.
template <class Held>
void holdSection(const ColumnSection& section, Held& h) {
  h.hb = section.hb;
  h.bf = section.bf;
  h.tw = section.tw;
  h.tf = section.tf;
}

// The section a held struct holds.
template <class Held>
ColumnSection sectionOf(const Held& h) {
  return {h.hb, h.bf, h.tw, h.tf};
}

}  // namespace pedivo
