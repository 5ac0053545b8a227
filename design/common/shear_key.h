#pragma once
// The shear key of an exposed base: a hot-rolled H section welded under the base plate, flange
// facing the shear, through the grout layer tg and embedded hk into the concrete. Where the
// friction under the plate is less than the column's shear V, the key takes the whole of V (the
// friction is not added to it). The lightest section of the list is taken, then the shallowest
// embedment, for which the concrete bears on the flange, the web carries the shear, the section
// carries the moment at the underside of the plate and the fillet welds to the plate carry both.

#include <optional>
#include <string>
#include <vector>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/design_check.h"
#include "design/common/module.h"
#include "design/common/tables.h"

namespace pedivo {

struct ShearKey {
  double tg = 0;                                    // grout between plate and concrete, mm
  double keyh = 0, keyb = 0, keytw = 0, keytf = 0;  // the section, mm; all 0 where no key is needed
  std::string keyName;                              // "HW150×150×7×10"; empty where no key is needed
  double hk = 0;                                    // embedment in the concrete, mm
  double hfk = 0;                                   // leg of the fillet welds to the plate, mm
  double Vk = 0;                                    // shear the key takes: the whole V, N
  double sigck = 0;                                 // bearing of the flange on the concrete
  double tauk = 0;                                  // shear of the web
  double Mk = 0, Wxk = 0, sigk = 0;                 // moment at the plate's underside, N·mm; modulus, mm³
  double sigfk = 0, taufk = 0;                      // flange welds under the moment, web welds under V
  double fk = 0, fvk = 0;                           // strengths of the key by its flange thickness
  // The largest shear each part allows at the embedment, N: the concrete's bearing, the web's
  // shear, the section's bending, the flange welds and the web welds.
  double Vkc = 0, Vkv = 0, Vkm = 0, Vkf = 0, Vkw = 0;
  double Vku = 0;  // the least of them: the largest shear the key carries, N
  bool given = false;  // given with the sizes of a check (all 0: none), not chosen from the list
};

inline bool keyDesigned(const ShearKey& key) { return key.keyh > 0; }

// What the base gives its key: the shear, the friction under the plate, the plate the key is
// welded to, the concrete's fc and the fillet welds' ffw.
struct KeySeat {
  double V, Vfb, tpb, fc, ffw;
};

// The seat of a finished exposed base, read from its held values.
template <class Held>
KeySeat keySeatOf(const Held& h) {
  return {h.V, h.Vfb, h.tpb, h.fc, h.ffw};
}

// No key yet, and the grout thickness of the entries ("Edttg", mm).
void startShearKey(const Entries& entries, ShearKey& key);

// A key of the list where V exceeds the friction, else none (the grout kept). Where no section of
// the list holds at any embedment, the largest at the embedment that carries the most.
void designShearKey(const tables::SteelGrade& steel, const KeySeat& seat, ShearKey& key);

// Whether some section of the list, at some embedment, bears on the concrete, carries V in its
// web and carries the moment at the plate's underside, with grout tg: what the plate does not
// change (only the leg of the key's welds follows its thickness). Where none does, no key of the
// list holds under any plate.
bool someKeyCarries(const tables::SteelGrade& steel, const KeySeat& seat, double tg);

// The key under the finished plate of an exposed base, with the base's concrete and steel.
template <class Held>
void designKeyUnder(const Materials& m, Held& h) {
  designShearKey(*m.steel, {h.V, h.Vfb, h.tpb, m.concrete.fc, m.steel->ffw}, h.key);
}

// The key's leg: 1.5√tpb in even millimetres, at least 6, and no more than 1.2 times the thinner
// part joined (the key's web), then in whole millimetres.
double keyWeldLeg(double tpb, double tw, double tf);

// ---- a key given with the sizes of a check -----------------------------------------------------

// The key's sizes as a design gives them and a check takes them: the section, the embedment and
// the leg of its welds to the plate.
std::vector<SizeName> shearKeySizeNames();
// The key's sizes after a base's: all 0 where no key is needed.
inline constexpr std::size_t shearKeySizeCount = 6;
void addShearKeySizes(const ShearKey& key, std::vector<NamedSize>& sizes);

// The sizes of an exposed base, its key's last.
template <class Held, class Fields>
std::vector<NamedSize> sizesWithKey(const Fields& fields, const Held& held) {
  std::vector<NamedSize> named = namedSizes(fields, held, shearKeySizeCount);
  addShearKeySizes(held.key, named);
  return named;
}
template <class Fields>
std::vector<SizeName> sizeNamesWithKey(const Fields& fields) {
  std::vector<SizeName> names = sizeNames(fields);
  const std::vector<SizeName> key = shearKeySizeNames();
  names.insert(names.end(), key.begin(), key.end());
  return names;
}

struct GivenShearKey {
  double keyh, keyb, keytw, keytf, hk, hfk;
};
// The key among sizes that sizesFault has passed; none where they leave every key size out.
std::optional<GivenShearKey> givenShearKey(const Sizes& sizes);

// A given key checked as it is: its section by its dimensions (named as the list names it, else
// "H300×300×10×15"), at its embedment with its leg, and the leg against the rules a design keeps.
// A key of 0 is none: the friction under the plate must then carry V alone.
void checkGivenShearKey(const tables::SteelGrade& steel, const KeySeat& seat, const GivenShearKey& given,
                        ShearKey& key, GivenSizeFindings& findings);

// The key under a given plate: the one given with the sizes, or where they leave it out, the key
// a design would choose under that plate.
template <class Held>
void keyUnderGivenPlate(const Materials& m, const Sizes& sizes, Held& h, GivenSizeFindings& findings) {
  if (const auto given = givenShearKey(sizes))
    checkGivenShearKey(*m.steel, {h.V, h.Vfb, h.tpb, m.concrete.fc, m.steel->ffw}, *given, h.key, findings);
  else
    designKeyUnder(m, h);
}

// Steel of the key, its length tg + hk, kg.
double shearKeyMass(const ShearKey& key);

// "HW150×150×7×10，埋深 120 mm", or "不需设置".
std::string shearKeyText(const ShearKey& key);

// Every held quantity of the key by its name, the section's name last.
std::vector<NamedValue> shearKeyValues(const ShearKey& key);
// The numbers of that list, for the overflow guard.
void scanShearKeyValues(const ShearKey& key, HeldNumbersScan& scan);

// "抗剪键": where friction carries V, the decision that no key is needed (frictionFormula says how
// Vfb is made up); else V against the key's largest shear Vku. Then the key's own checks, decisions
// without numbers where no key is needed.
std::vector<DesignCheck> shearKeyChecks(const ShearKey& key, const KeySeat& seat, std::string frictionFormula);
// The same checks moved straight onto the end of a base's list.
inline constexpr std::size_t shearKeyCheckCount = 6;  // the key and its five parts
void appendShearKeyChecks(std::vector<DesignCheck>& list, const ShearKey& key, const KeySeat& seat,
                          std::string frictionFormula);

// The key's checks with their numbers put in (DesignCheck::values); "抗剪键" only where a key is designed.
void writeShearKeyValues(std::vector<DesignCheck>& checks, const ShearKey& key, const KeySeat& seat);

// The report's tags of the key: "<#tg>", "<#keyText>", "<#key>" (the result field's text), "<#keyName>", the section,
// the embedment and the substitutions a checker redoes ("<#Wxkvalues>", "<#hfkvalues>", ...). "—" for the sizes where
// no key is needed. The stresses stand in the checks' values lines.
void emitShearKeyTags(const ShearKey& key, const KeySeat& seat, const TagEmitter& sink);

// The remedies of "抗剪键" and of the key's checks where a key is designed; only a key that
// nothing in the list could provide fails, so they name the largest key.
void attachShearKeyRemedies(const ShearKey& key, const KeySeat& seat, std::vector<DesignCheck>& checks);

}  // namespace pedivo
