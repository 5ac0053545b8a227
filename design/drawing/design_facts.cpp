#include "design/drawing/design_facts.h"

#include <variant>

#include "design/common/calculation.h"
#include "design/common/numbers.h"

namespace pedivo::drawing {

DesignFacts::DesignFacts(std::vector<NamedValue> values, std::vector<FieldText> fields, std::vector<TagText> tags)
    : values_(std::move(values)), fields_(std::move(fields)), tags_(std::move(tags)) {}

double DesignFacts::value(std::string_view name) const { return heldNumber(values_, name); }

std::optional<double> DesignFacts::optionalValue(std::string_view name) const { return findHeldNumber(values_, name); }

std::string DesignFacts::text(std::string_view name) const {
  for (const auto& named : values_)
    if (named.name == name)
      if (const std::string* held = std::get_if<std::string>(&named.value)) return *held;
  return {};
}

std::string DesignFacts::shown(std::string_view field, std::string_view name) const {
  if (!field.empty())
    for (const auto& f : fields_)
      if (f.field == field) return f.text;
  const std::string tag = "<#" + std::string(name) + ">";
  for (const auto& t : tags_)
    if (t.tag == tag) return t.text;
  return formatGeneral(value(name));
}

}  // namespace pedivo::drawing
