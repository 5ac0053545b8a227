#pragma once
// What a drawing reads of a designed base: its held values by name, and the texts the result
// window and the report show for them, so a dimension reads exactly as the value does elsewhere.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/module.h"

namespace pedivo::drawing {

class DesignFacts {
 public:
  DesignFacts(std::vector<NamedValue> values, std::vector<FieldText> fields, std::vector<TagText> tags);

  // A held number by its name. A name the base type does not hold is a programming error
  // (std::logic_error); optionalValue asks for a number only some designs hold.
  double value(std::string_view name) const;
  // A held text by its name (a section's designation); empty for a name the base type does not hold.
  std::string text(std::string_view name) const;
  std::optional<double> optionalValue(std::string_view name) const;
  bool has(std::string_view name) const { return optionalValue(name).has_value(); }
  // The result window's text of `field`, else the report's text of the tag <#name>, else the
  // value in the general number format.
  std::string shown(std::string_view field, std::string_view name) const;

 private:
  std::vector<NamedValue> values_;
  std::vector<FieldText> fields_;
  std::vector<TagText> tags_;
};

}  // namespace pedivo::drawing
