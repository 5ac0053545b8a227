#pragma once
// A steel weight as a number, exactly as formatWeight shows it ("123.4"): the weight a JSON line
// gives reads as the window's, the report's and the result table's text.

namespace pedivo {

double shownWeight(double kg);

}  // namespace pedivo
