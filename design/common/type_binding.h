#pragma once
// How a base type's own functions reach its descriptor: the calculation, results, report and
// checks (ModuleFunctions), and beside them what the type tells an engineer of a design and of a
// calculation that stopped: the steel it sizes and what to change (TypeRemedies).

#include <string>
#include <utility>
#include <vector>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/module.h"
#include "design/common/shear_key.h"

namespace pedivo {

template <class Held>
struct TypeRemedies {
  double (*weight)(const Held&);                           // steel of the designed parts, kg
  void (*checks)(const Held&, std::vector<DesignCheck>&);  // each failing check's remedy, into the list
  std::string (*stop)(const Entries&, Stop);               // one line for a calculation that stopped
};

// A base type's names: its id, which also names its report template "<id>.docx", its title, the
// form of its input window with the caption it shows (the title, then "-输入设计参数"), the
// diagram beside the inputs, and the form of its result window.
struct TypeNames {
  const char* id;
  const char* title;
  const char* formName;
  const char* diagramFile;
  const char* resultFormName;
};

inline void nameType(ModuleDescriptor& d, const TypeNames& names) {
  d.id = names.id;
  d.title = names.title;
  d.formName = names.formName;
  d.caption = d.title + "-输入设计参数";
  d.templateFile = d.id + ".docx";
  d.diagramFile = names.diagramFile;
  d.resultFormName = names.resultFormName;
}

// Whether a type's sizes end with the shear key's group (every exposed base) or not.
enum class KeySizes { After, None };

template <auto& fields, KeySizes key, class Held>
std::vector<NamedSize> sizesFrom(const Held& h) {
  if constexpr (key == KeySizes::After) return sizesWithKey(fields, h);
  else return namedSizes(fields, h);
}

// Binds the functions and the remedies into a descriptor's window state, with the sizes the type
// designs and a check takes, read from its table of sizes `fields` both ways: their names for the
// descriptor and the values of held ones.
template <auto& fields, KeySizes key = KeySizes::After, class Held>
void bindFunctions(ModuleDescriptor& d, ModuleFunctions<Held> functions, const TypeRemedies<Held>& remedies) {
  functions.weight = remedies.weight;
  functions.remedies = remedies.checks;
  functions.sizes = sizesFrom<fields, key, Held>;
  d.newState = stateFactory(functions);
  d.stopRemedy = remedies.stop;
  if constexpr (key == KeySizes::After) d.sizes = sizeNamesWithKey(fields);
  else d.sizes = sizeNames(fields);
}

}  // namespace pedivo
