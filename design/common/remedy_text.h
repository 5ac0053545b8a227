#pragma once
// The words of a remedy: which entry to change and which way, or which base type to use, with the
// numbers that decide it. Each base type keeps its own remedies beside its checks; what the types
// share (the column itself overstressed, the stops of the shared steps) is here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/module.h"

namespace pedivo::remedy {

inline const std::string untickDetailing = "取消“底板尺寸按构造要求选取”";
// Where another base type is the way out: 自动调整 proposes it when its own type has no passing design.
inline constexpr const char* typeChangeByAdjust = "（“自动调整”在本类型没有满足要求的设计时会建议同族中最轻的满足类型）";

// A number as the windows write it: "372", "0.85".
std::string num(double x);
// A need just above what a check allows, to three decimals, or with as many more (up to three) as
// it takes for its text to differ from the allowed value's: "10.1004" against "10.1".
std::string beyond(double needed, double allowed);

// The column's own stress from the entries: N/A + |M|/W against f of the flange thickness.
// Nothing when the entries do not read as a column.
struct ColumnStress {
  double sigma;  // N/mm²
  double f;
};
std::optional<ColumnStress> columnStress(const Entries& entries);

// "柱翼缘正应力 … 超过 f：柱截面或钢材牌号需加大（柱脚构造不能解决）"
std::string columnOverstressed(std::string_view what);

// The detailing distances of a bolt diameter: a, c and the edge distance lt = bt.
struct Detailing {
  double a, c, edge;
};
Detailing detailing(double dms);

// A size the engineer may change, as "c（现为 80 mm，构造值 60 mm）".
std::string sizeNow(std::string_view symbol, double now, double detailing);

// Too much bearing under the plate: a better concrete, or a larger plate by the sizes named
// ("a（现为 …）、c（现为 …）"), with `how` for what they do to the plate.
std::string bearing(double ylc, double fc, const std::string& sizes, std::string_view how = "");

// The tension bolts overstressed: a longer lever arm by lt, or a better bolt grade.
std::string boltStress(double write4, double fta, double lt, double detailingEdge);

// A plate the panels make thick: smaller panels, or a better plate steel.
std::string panelPlate(double required);

// What a stop of the shared steps asks, told for one base type: `weldTooShort` names the weld
// and the sizes that lengthen it; `boltTooLarge` how to lower the bolt force of this type.
struct StopAdvice {
  std::string weldTooShort;
  std::string notConverging;
  std::string boltTooLarge;
};
std::string stopRemedy(const Entries& entries, Stop stop, const StopAdvice& advice);

}  // namespace pedivo::remedy

namespace pedivo {
struct DesignCheck;
}

namespace pedivo::remedy {

struct CheckRemedy {
  std::string_view id;
  std::string text;
};
// Writes each remedy into the check of its id; a check the list does not name keeps none.
void attach(std::vector<DesignCheck>& checks, const std::vector<CheckRemedy>& remedies);

}  // namespace pedivo::remedy
