#pragma once
// What an issued sheet states beside its views: the parts with their sizes and weights (their sum
// is the design's steel weight), the anchor bolts with their nuts and washer plates, and the
// general notes a fabricator and an erector read.

#include <string>
#include <string_view>
#include <vector>

#include "design/common/module.h"
#include "design/drawing/design_facts.h"

namespace pedivo::drawing {

struct SheetPart {
  std::string name, size;  // "底板", "-20×310×560"
  int count = 0;
  double eachKg = 0;
};
// The steel parts of a base type ("j1" … "gc"), the shear key with them where one is designed.
std::vector<SheetPart> partsList(std::string_view moduleId, const DesignFacts& facts);

// The electrodes for hand welding of a steel grade: E43 for Q235, E50 up to Q390, E55 above.
std::string electrodeFor(std::string_view steelGrade);

// The anchor bolts as the bolt table states them: "M24", their count, grade, "双螺母", and the
// washer plate "-12×80×80，孔径 26".
struct BoltRow {
  std::string size, count, grade, nuts, washer;
};
BoltRow boltRow(int count, const DesignFacts& facts, const Entries& entries);

// The general notes, numbered: steel, electrodes, bolts, grout, anchorage.
std::vector<std::string> generalNotes(const DesignFacts& facts, const Entries& entries, bool hasPlate);

}  // namespace pedivo::drawing
