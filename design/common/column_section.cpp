#include "design/common/column_section.h"

#include "design/common/numbers.h"

namespace pedivo {

ColumnSection readColumnSection(const Entries& e) {
  return {readNumber(e, "Edthc"), readNumber(e, "Edtbf"), readNumber(e, "Edttw"), readNumber(e, "Edttf")};
}

double readAxialForceAsTyped(const Entries& e) { return readNumber(e, "EdtN") * newtonsPerKilonewton; }

double readShear(const Entries& e) { return readNumber(e, "EdtV") * newtonsPerKilonewton; }

double readMoment(const Entries& e) { return readNumber(e, "EdtM") * newtonMillimetresPerKilonewtonMetre; }

void emitSectionTags(const ColumnSection& section, const TagEmitter& sink) {
  sink("<#hb>", formatGeneral(section.hb));
  sink("<#bf>", formatGeneral(section.bf));
  sink("<#tw>", formatGeneral(section.tw));
  sink("<#tf>", formatGeneral(section.tf));
}

void emitTypedInputTags(const Entries& e, TypedInputTags which, const TagEmitter& sink) {
  if (which.moment) sink("<#M>", entryText(e, "EdtM"));
  sink("<#N>", entryText(e, "EdtN"));
  sink("<#V>", entryText(e, "EdtV"));
  sink("<#concrete>", entryText(e, "CBfc"));
  sink("<#steel>", entryText(e, "CBf"));
  if (which.boltGrade) sink("<#ms>", entryText(e, "CBfta"));
}

}  // namespace pedivo
