#pragma once
// What a case's output line holds besides the design: by default what a user of the command line
// reads; with `detail` also the report's tags and each check's formula, for a checker.

namespace pedivo::calc {

struct LineOptions {
  bool adjust = false;  // what 自动调整 proposes ("adjusted")
  bool detail = false;  // "report" and "checks[].formula"; a case may ask for them itself ("detail": true)
};

}  // namespace pedivo::calc
