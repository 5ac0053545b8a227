#pragma once
// What every calculation shares: reading the checked entries, the stops that end a
// calculation early, and the guard that runs it on a copy of the held values.

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "design/common/check_list.h"
#include "design/common/check_mode.h"
#include "design/common/compressed_zone.h"
#include "design/common/design_check.h"
#include "design/common/floating_flags.h"
#include "design/common/module.h"
#include "design/common/tables.h"

namespace pedivo {

inline constexpr const char* doneMessage = "计算完毕！";
inline constexpr const char* notConvergingMessage = "设计尺寸不收敛，超出程序计算范围，计算停止!";
inline constexpr const char* weldTooShortMessage = "焊缝计算长度不足，超出程序计算范围，计算停止!";
inline constexpr const char* invalidNumberMessage = "计算出现无效数值，超出程序计算范围，计算停止!";

// The message shown for a stop, and for the close of a completed calculation. An entry that was
// refused has no message of its own here: its check or its text gives one.
const char* stopMessage(Stop stop);
const char* closingMessage(Closing closing);

// Ends a calculation early; the held values stay as they were.
struct CalculationStop {
  Stop reason;
  std::optional<std::string> focus{};
  std::string message = stopMessage(reason);
};

// Reads an entry as a number; a text that is not one stops the calculation with focus on it.
double readNumber(const Entries& entries, std::string_view control);
// Reads an entry as a whole number (the bolt diameter lists).
int readWholeNumber(const Entries& entries, std::string_view control);
const std::string& entryText(const Entries& entries, std::string_view control);

// The edition of the steel code an entry names; the earlier edition where none is named (files
// and tables written before the choice existed keep their meaning).
tables::CodeEdition readEdition(const Entries& entries);

// The materials of a design, looked up once from the grades picked: the steel of column,
// plate, stiffeners and welds, the anchor bolts and the concrete.
struct Materials {
  tables::CodeEdition edition;
  const tables::SteelGrade* steel;  // a row of the edition's table, never null
  double fta;                       // tensile strength of an anchor bolt
  tables::Concrete concrete;
};
Materials readMaterials(const Entries& entries);

// Counts trial rounds over a whole calculation: every repetition of a loop body or jump back to
// an earlier step. Past a million rounds the design does not converge.
class RoundLimit {
 public:
  // Inline: the bisection of the compressed zone spends most of a long design's rounds.
  void next() {
    if (++rounds_ > limit) stop();
  }
  // k rounds at once, for a loop whose end is known in advance: the same stop at the same count
  // as k calls of next().
  void advance(long k);
  // Whether k more rounds stay within the limit.
  bool allows(long k) const { return k <= limit - rounds_; }
  // A loop that can never end: the limit would be reached round by round, so it is reached now.
  [[noreturn]] void exhaust();
  // Rounds spent so far: what a step that is taken over from a like one spends again.
  long used() const { return rounds_; }

 private:
  [[noreturn]] static void stop();
  static constexpr long limit = 1'000'000;
  long rounds_ = 0;
};

// Effective fillet-weld lengths must be positive before a stress is computed from them.
void requireWeldLength(double effectiveLength);

// A table lookup that found no row (a grade outside the lists) cannot go on.
template <class T>
T require(const std::optional<T>& value) {
  if (!value) throw CalculationStop{Stop::InvalidNumber};
  return *value;
}

// What the window is told of a stop: its message, the control to focus and the reason.
Outcome stoppedOutcome(const CalculationStop& stop);

// Runs calculate(held copy) with the floating-point flags cleared; commits the copy only when
// the calculation ends normally and no operation divided by zero, was invalid or overflowed.
template <class Held, class Calculate>
Outcome guardedCalculation(Held& held, Calculate&& calculate) {
  Held work = held;
  Outcome outcome;
  clearFloatingFlags();
  try {
    outcome = calculate(work);
  } catch (const CalculationStop& stop) {
    // An invalid value met before the stop is the first fault; report that one.
    const bool invalidBefore = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW) != 0;
    clearFloatingFlags();
    if (invalidBefore) return stoppedOutcome(CalculationStop{Stop::InvalidNumber});
    return stoppedOutcome(stop);
  }
  const bool invalid = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW) != 0;
  clearFloatingFlags();
  if (invalid) return stoppedOutcome(CalculationStop{Stop::InvalidNumber});
  held = std::move(work);
  return outcome;
}

// Density of structural steel, kg/mm³ (7850 kg/m³).
inline constexpr double steelDensity = 7.85e-6;
// Mass of a plate of the given sides and thickness in mm, kg.
inline double plateMass(double length, double width, double thickness) {
  return steelDensity * std::max(0.0, length) * std::max(0.0, width) * std::max(0.0, thickness);
}
// A steel weight as shown: one decimal, "123.4".
std::string formatWeight(double kg);

// Held values beyond this are not a design: cut to three decimals they would overflow.
inline constexpr double largestHeldValue = 1e100;

// A report tag's text that is a number from the held values, not an entry's own text.
bool isHeldNumber(std::string_view tag, std::string_view text);
// A number written as zero: "0", "0.00", "-0.000".
bool isZeroText(std::string_view text);

// The report `tags` of a calculation that stopped part way, handed on with "—" for every quantity
// it never reached and for the substitution "<#Xvalues>" of each such quantity "<#X>", whose
// operands would lead to no result. `reached` is the same report of the calculation redone from
// an empty window, where what it never reached is still zero.
void blankUnreached(const std::vector<TagText>& tags, const std::vector<TagText>& reached, const TagEmitter& sink);

// A held number by its name, none for a name the base type does not hold.
std::optional<double> findHeldNumber(const std::vector<NamedValue>& values, std::string_view name);
// A held number by its name. Asking a base type for a name it does not hold is a programming error:
// std::logic_error, never a silent 0.
double heldNumber(const std::vector<NamedValue>& values, std::string_view name);

// Every held quantity by its name, listed once beside the struct; a flag lists as 1 or 0.
template <class Held>
struct HeldField {
  const char* name;
  std::variant<double Held::*, bool Held::*> member;
};

// Room for the values a base type lists after its fields (texts such as the eccentricity case),
// so that adding them never moves the list.
inline constexpr std::size_t valuesBesideFields = 8;

template <class Held>
double heldFieldValue(const HeldField<Held>& field, const Held& held) {
  return std::visit([&](auto member) { return static_cast<double>(held.*member); }, field.member);
}

template <class Held>
std::vector<NamedValue> listValues(std::span<const HeldField<Held>> fields, const Held& held) {
  std::vector<NamedValue> values;
  values.reserve(fields.size() + valuesBesideFields);
  for (const auto& field : fields) values.push_back({field.name, heldFieldValue(field, held)});
  return values;
}

template <class Held, std::size_t Count>
std::vector<NamedValue> listValues(const HeldField<Held> (&fields)[Count], const Held& held) {
  return listValues(std::span<const HeldField<Held>>(fields), held);
}

// The numbers of the held values run past the overflow guard without listing them: the same
// numbers, in the same order, as the list a base type's values function gives (a flag counts as
// one). `count` lets a test tie the two together.
struct HeldNumbersScan {
  std::size_t count = 0;
  bool within = true;
  // Places of numbers copied out on the way (heldNumbersAt), ascending; `picked` as many.
  std::span<const std::size_t> picks{};
  double* picked = nullptr;
  std::size_t pickedCount = 0;
  void operator()(double x) {
    if (pickedCount < picks.size() && count == picks[pickedCount]) picked[pickedCount++] = x;
    ++count;
    within = within && std::fabs(x) <= largestHeldValue;
  }
};

template <class Held>
void scanValues(std::span<const HeldField<Held>> fields, const Held& held, HeldNumbersScan& scan) {
  for (const auto& field : fields) scan(heldFieldValue(field, held));
}

template <class Held, std::size_t Count>
void scanValues(const HeldField<Held> (&fields)[Count], const Held& held, HeldNumbersScan& scan) {
  scanValues(std::span<const HeldField<Held>>(fields), held, scan);
}

// Binds a base type's functions over its held-values struct into a window state.
template <class Held>
struct ModuleFunctions {
  Outcome (*calculate)(const Entries&, Held&);
  ResultView (*results)(const Held&) = nullptr;
  void (*report)(const Held&, const Entries&, const TagEmitter&) = nullptr;
  std::vector<NamedValue> (*values)(const Held&) = nullptr;
  std::vector<DesignCheck> (*checks)(const Held&) = nullptr;
  // Steel of the designed parts, kg; and each check's remedy, written into the list.
  double (*weight)(const Held&) = nullptr;
  void (*remedies)(const Held&, std::vector<DesignCheck>&) = nullptr;
  // Each check's numbers put into its formula (DesignCheck::values), for the report.
  void (*checkValues)(const Held&, std::vector<DesignCheck>&) = nullptr;
  // The base of given sizes checked (all of them there and positive), and the sizes of held values.
  Outcome (*check)(const Entries&, const Sizes&, Held&, GivenSizeFindings&) = nullptr;
  std::vector<NamedSize> (*sizes)(const Held&) = nullptr;
  // The numbers of `values`, for the overflow guard of every calculation and check.
  void (*scan)(const Held&, HeldNumbersScan&) = nullptr;
};

// A base type whose report function builds its list of tags, handing them over one by one.
template <class Held, std::vector<TagText> (*List)(const Held&, const Entries&)>
void handOverList(const Held& held, const Entries& entries, const TagEmitter& sink) {
  for (const auto& tag : List(held, entries)) sink(tag.tag, tag.text);
}

template <class Held>
class StateOf final : public DesignState {
 public:
  explicit StateOf(ModuleFunctions<Held> functions) : functions_(functions) {}
  Outcome calculate(const Entries& entries) override {
    const auto run = [&](Held& work) {
      lendZones(work);
      Outcome done = functions_.calculate(entries, work);
      lendZones(work, false);
      // A value no format can write (one that overflows when cut to decimals) is a stop, never a
      // design.
      if (!withinLimits(work)) throw CalculationStop{Stop::InvalidNumber};
      return done;
    };
    Outcome outcome = guardedCalculation(held_, run);
    // The values are listed when asked for: a design under one of several combinations never is.
    values_.reset();
    // A calculation that stops outright keeps the held values, and with them what they reached.
    if (outcome.ending != Ending::Stopped) reached_.reset();
    if (outcome.ending == Ending::Partial) {
      // A calculation that stopped part way keeps its held values over those of an earlier
      // design. Redone from an empty window, every quantity it never reached stays 0 there: the
      // report writes those as never computed.
      Held fresh{};
      if (guardedCalculation(fresh, run).ending == Ending::Partial) reached_ = std::move(fresh);
    }
    if (outcome.ending != Ending::Stopped) {
      designed_ = outcome.ending == Ending::Completed;
      checks_.reset();  // the held values change only here and in check()
      remediesWritten_ = false;
      valuesWritten_ = false;
      edition_ = tables::codeEdition(entryText(entries, "CBcode")).value_or(tables::CodeEdition::Gb2003);
      findings_.reset();
    }
    return outcome;
  }
  Outcome check(const Entries& entries, const Sizes& sizes) override {
    if (functions_.check == nullptr) return stoppedOutcome(CalculationStop{Stop::InvalidNumber});
    GivenSizeFindings findings;
    const auto run = [&](Held& work) {
      // A check of given sizes starts from nothing: what the window designed or checked before
      // (another steel's strength, the welds of other sizes) never stands in for a number the
      // check could not work out.
      work = Held{};
      findings = {};
      findings.rules.reserve(roomForMoreChecks);  // every type's rules, none moved as they are added
      Outcome done = functions_.check(entries, sizes, work, findings);
      if (!withinLimits(work)) throw CalculationStop{Stop::InvalidNumber};
      return done;
    };
    Outcome outcome = guardedCalculation(held_, run);
    if (outcome.ending != Ending::Stopped) reached_.reset();
    // The values are listed again when asked for: under several combinations most checks never are.
    values_.reset();
    if (outcome.ending != Ending::Stopped) {
      designed_ = outcome.ending == Ending::Completed;
      checks_.reset();
      remediesWritten_ = false;
      valuesWritten_ = false;
      edition_ = tables::codeEdition(entryText(entries, "CBcode")).value_or(tables::CodeEdition::Gb2003);
      findings_ = std::move(findings);
    }
    return outcome;
  }
  Sizes sizes() const override { return mappedSizes(namedSizes()); }
  std::vector<NamedSize> namedSizes() const override {
    return functions_.sizes != nullptr ? functions_.sizes(held_) : std::vector<NamedSize>{};
  }
  bool checked() const override { return findings_.has_value(); }
  ResultView results() const override {
    ResultView view = functions_.results(held_);
    if (designed_)
      for (const auto& field : failedFields(checks()))
        if (std::find(view.redCaptions.begin(), view.redCaptions.end(), field) == view.redCaptions.end())
          view.redCaptions.push_back(field);
    return view;
  }
  std::vector<TagText> report(const Entries& entries) const override {
    std::vector<TagText> tags;
    tags.reserve(128);
    report(entries, [&tags](std::string_view tag, std::string_view text) {
      tags.push_back({std::string(tag), std::string(text)});
    });
    return tags;
  }
  void report(const Entries& entries, const TagEmitter& sink) const override {
    if (!edition_) {
      // Nothing designed yet: a number in the report would be a zero of an empty window.
      const TagEmitter blank = [&sink](std::string_view tag, std::string_view text) {
        sink(tag, isHeldNumber(tag, text) ? std::string_view("—") : text);
      };
      functions_.report(held_, entries, blank);
    } else if (!designed_ && reached_) {
      const auto listed = [&](const Held& held) {
        std::vector<TagText> tags;
        functions_.report(held, entries, [&tags](std::string_view tag, std::string_view text) {
          tags.push_back({std::string(tag), std::string(text)});
        });
        return tags;
      };
      blankUnreached(listed(held_), listed(*reached_), sink);
    } else {
      functions_.report(held_, entries, sink);
    }
    emitCheckTags(checksWithValues(), designed_, sink);
    emitRemedyTags(checks(), designed_, sink);
    sink("<#weight>", designed_ && functions_.weight != nullptr ? formatWeight(functions_.weight(held_)) : "—");
    // The code the held values were designed to; before any design, the one chosen now.
    const auto chosen = tables::codeEdition(entryText(entries, "CBcode")).value_or(tables::CodeEdition::Gb2003);
    sink("<#code>", tables::editionTitle(edition_.value_or(chosen)));
    sink("<#basis>", findings_ ? "验算（按给定尺寸逐项验算，尺寸不作调整）" : "设计（按输入内力确定各部尺寸）");
  }
  const std::vector<NamedValue>& values() const override {
    if (!values_) values_ = functions_.values(held_);
    return *values_;
  }
  const std::vector<DesignCheck>& checks() const override {
    bareChecks();
    return writeOnce(remediesWritten_, functions_.remedies, explainUnevaluated, writeOwnRemedies);
  }
  const std::vector<DesignCheck>& bareChecks() const override {
    if (!checks_) {
      checks_ = functions_.checks(held_);
      if (findings_) {
        rulesListed_ = findings_->rules.size();
        applyFindings(*checks_, *findings_);
      }
    }
    return *checks_;
  }
  const std::vector<DesignCheck>& checksWithValues() const override {
    checks();
    return writeOnce(valuesWritten_, functions_.checkValues, writeUnevaluated, writeOwnValues);
  }
  void heldNumbersAt(std::span<const std::size_t> places, std::span<double> numbers) const override {
    HeldNumbersScan scan;
    scan.picks = places;
    scan.picked = numbers.data();
    if (functions_.scan != nullptr) functions_.scan(held_, scan);
    // A type without a scan, or a place past its numbers: read from the list.
    if (scan.pickedCount < places.size()) DesignState::heldNumbersAt(places, numbers);
  }
  bool designed() const override { return designed_; }
  // How many numbers the overflow guard reads: as many as the list of values holds.
  std::size_t scannedNumbers() const {
    HeldNumbersScan scan;
    if (functions_.scan != nullptr) functions_.scan(held_, scan);
    return scan.count;
  }
  void forgetChecks() override {
    if (!checks_) return;
    // The rules on given sizes go back to the findings they were moved from.
    if (findings_) {
      const auto rules = checks_->end() - static_cast<std::ptrdiff_t>(rulesListed_);
      std::move(rules, checks_->end(), std::back_inserter(findings_->rules));
    }
    checks_.reset();
    remediesWritten_ = false;
    valuesWritten_ = false;
  }
  double weight() const override { return functions_.weight != nullptr ? functions_.weight(held_) : 0; }
  void reset() override {
    held_ = Held{};
    values_.reset();
    reached_.reset();
    checks_.reset();
    remediesWritten_ = false;
    valuesWritten_ = false;
    designed_ = false;
    edition_.reset();
    findings_.reset();
  }

 private:
  // One pass over the checks, once until they are built again: the type's own (where it has one),
  // then the one for sizes it could not evaluate (in a check of given sizes), then every check's own.
  const std::vector<DesignCheck>& writeOnce(bool& written, void (*typePass)(const Held&, std::vector<DesignCheck>&),
                                            void (*findingsPass)(std::vector<DesignCheck>&, const GivenSizeFindings&),
                                            void (*ownPass)(std::vector<DesignCheck>&)) const {
    if (!written) {
      if (typePass != nullptr) typePass(held_, *checks_);
      ownPass(*checks_);
      // Last, so that a check that could not be worked out says why, whoever writes its words.
      if (findings_) findingsPass(*checks_, *findings_);
    }
    written = true;
    return *checks_;
  }

  // Every number of the held values is one a format can write.
  bool withinLimits(const Held& work) const {
    if (functions_.scan != nullptr) {
      HeldNumbersScan scan;
      functions_.scan(work, scan);
      return scan.within;
    }
    for (const auto& value : functions_.values(work))
      if (const auto* x = std::get_if<double>(&value.value); x != nullptr && !(std::fabs(*x) <= largestHeldValue))
        return false;
    return true;
  }

  // A rigid base's calculation borrows the bisections of the compressed zone this state has made
  // (calculations before it, candidates of 自动调整); its held values never keep the loan.
  void lendZones(Held& work, bool lend = true) {
    if constexpr (requires { work.zones; }) work.zones = lend ? &zones_ : nullptr;
  }

  ModuleFunctions<Held> functions_;
  Held held_{};
  rigidbase::ZoneMemo zones_;
  mutable std::optional<std::vector<NamedValue>> values_;   // of the held values, once listed
  mutable std::optional<std::vector<DesignCheck>> checks_;  // of the held values, once asked for
  mutable bool remediesWritten_ = false;                    // checks_ carry their remedies
  mutable bool valuesWritten_ = false;                      // checks_ carry their values lines
  mutable std::size_t rulesListed_ = 0;                     // the last of checks_ are the findings' rules
  bool designed_ = false;            // the held values come from a completed calculation
  std::optional<tables::CodeEdition> edition_;  // the code the held values follow, once there are any
  std::optional<Held> reached_;  // a stopped calculation redone from an empty window: what it reached
  // The held values are a check of given sizes; its rules move into checks_ once they are listed.
  mutable std::optional<GivenSizeFindings> findings_;
};

template <class Held>
std::function<std::unique_ptr<DesignState>()> stateFactory(ModuleFunctions<Held> functions) {
  return [functions] { return std::make_unique<StateOf<Held>>(functions); };
}

}  // namespace pedivo
