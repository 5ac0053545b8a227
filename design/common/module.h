#pragma once
// How a base type is put together.
//
// An input window's state is data: `Entries` (the text of every input control by its object
// name, plus the detailing check box `cbsize`) and the base type's held values (all zero in a
// new window). "计算" is `DesignSession::calculate`: the input checks run over the entries in
// their fixed order; the first failure gives its message and the control to focus. A passing
// check hands the entries to the base type's calculation, which reads them as numbers, works on
// a copy of the held values and commits that copy only when it ends normally. The outcome says
// which messages to show, which control gets the focus and which entries the calculation wrote
// back (the detailing run of the rigid bases). "查看结果" and "打印计算书" only read the held
// values: `results()` gives the result window's field texts, `report()` the report's tag texts.
//
// A `ModuleDescriptor` describes a base type completely: names, captions, controls, checks,
// result fields, template and diagram. The Qt windows and the headless calculator are both
// built from it, so each fact about a base type lives in exactly one place.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pedivo {

struct Entries {
  std::map<std::string, std::string, std::less<>> texts;  // by control object name; found by any text
  bool cbsize = false;                       // "底板尺寸按构造要求选取"
};

struct ControlSpec {
  std::string name;                // object name: "Edthc", "CBfc"
  std::string label;               // "柱截面高度hb"
  std::string unit;                // "（mm）", empty for none
  std::string defaultText;         // "450"
  std::vector<std::string> items;  // a pick-only list when not empty
  bool isList() const { return !items.empty(); }
};

struct ControlGroup {
  std::string name;     // "GroupBox2"
  std::string caption;  // "柱截面信息"
  std::vector<ControlSpec> controls;
};

// The plate-size group that the detailing check box switches off.
inline constexpr const char* sizeGroupName = "GroupBox4";

struct InputCheck {
  std::string control;  // must read as a number greater than 0
  std::string message;
};

struct ResultFieldSpec {
  std::string name;   // "EdtL"
  std::string label;  // "底板长度L"
  std::string unit;   // "（mm）" or empty
  bool wide = false;  // a text longer than a number: its field takes the row under its caption
};

struct ResultGroupSpec {
  std::string name;     // "GroupBox5", empty where the fields stand outside a group box
  std::string caption;  // "底板", empty for none
  std::vector<ResultFieldSpec> fields;
};

struct WindowSize {
  int width = 0;  // 0: sized to fit
  int height = 0;
};

struct FieldText {
  std::string field;
  std::string text;
};

struct ResultView {
  std::vector<FieldText> fields;           // in filling order
  std::vector<std::string> redCaptions;    // fields whose caption shows in red
  std::vector<std::string> blackCaptions;  // fields whose caption is set to black before filling
};

struct TagText {
  std::string tag;
  std::string text;
};

// Takes the report's tags one at a time, in order; the views last only for the call. The
// headless calculator writes them out as they come instead of keeping a list.
using TagEmitter = std::function<void(std::string_view tag, std::string_view text)>;

struct NamedValue {
  std::string_view name;  // the quantity's symbol, a name fixed in the program: "ylfs"
  std::variant<double, std::string> value;
};

struct DesignCheck;

// Sizes of a base by the names of their held values, "tpb" → 25: what a design produced, or what
// is given to be checked (design/common/check_mode.h).
using Sizes = std::map<std::string, double, std::less<>>;
// The same sizes in the order the base type lists them (every name once), before they are mapped:
// every design of one type lists the same names in the same order.
using NamedSize = std::pair<std::string_view, double>;
Sizes mappedSizes(const std::vector<NamedSize>& named);

// A size a base type takes, with its caption: "tpb", "底板厚度t". The sizes of the shear key come
// as a group: all 0 for a base without a key, all left out for a key chosen as a design chooses it.
struct SizeName {
  std::string name;
  std::string caption;
  bool ofShearKey = false;
};

// How a calculation ended.
enum class Ending {
  Stopped,    // refused or stopped early: the held values are as they were
  Partial,    // stopped with a message but keeps what it computed so far: no design to check
  Completed,  // ran to its closing message: the held values are a design, and its checks apply
};

// Why a calculation stopped before a design. Logic reads this value; the message shown is written
// from it (stopMessage).
enum class Stop {
  EntryRefused,    // an input check failed, or an entry does not read as a number
  ZeroAxialForce,  // N = 0 leaves the eccentricity M/N undefined
  AxialTension,    // axial tension within the bolt rows: outside the method, what was found is kept
  BoltTooLarge,    // past the largest anchor bolt
  NotConverging,   // the sizes did not settle within the round limit
  WeldTooShort,    // a fillet weld with no effective length left
  InvalidNumber,   // an operation gave no valid number, or a grade outside the tables
};

// How a completed calculation closed: a design, or a design whose parts do not fit the column.
enum class Closing {
  Designed,
  LayoutFault,  // the stiffeners or bolts beside the web are wider than the flange
};

// What a command asks the window to do.
struct Outcome {
  std::vector<std::string> messages;                // message boxes, in order
  std::optional<std::string> focus;                 // control to focus
  std::map<std::string, std::string> entryChanges;  // texts written back into controls
  std::optional<bool> cbsize;                       // check-box state written back
  Ending ending = Ending::Stopped;
  // A calculation that stopped: what the engineer may change to get a design, one line.
  std::optional<std::string> remedy{};
  std::optional<Stop> stop{};          // why a calculation did not complete; none when it did
  Closing closing = Closing::Designed;  // how a completed calculation closed
};

// The held values of one input window and the calculation over them.
class DesignState {
 public:
  virtual ~DesignState() = default;
  // Runs the calculation on checked entries; commits only when it ends normally.
  virtual Outcome calculate(const Entries& entries) = 0;
  virtual ResultView results() const = 0;
  virtual std::vector<TagText> report(const Entries& entries) const = 0;
  virtual void report(const Entries& entries, const TagEmitter& sink) const = 0;
  virtual const std::vector<NamedValue>& values() const = 0;
  // Held numbers picked by their places among the numbers of values() (a text takes no place),
  // into `numbers`, one for each place; `places` ascending. A search that reads a few sizes of
  // every candidate reads them so, without listing every value.
  virtual void heldNumbersAt(std::span<const std::size_t> places, std::span<double> numbers) const;
  // The design checks of the held values, and whether those values are a completed design.
  // Each check's `values` line (its numbers put into its formula) is written only by
  // checksWithValues: the report is the only reader, and most designs are never printed.
  virtual const std::vector<DesignCheck>& checks() const = 0;
  virtual const std::vector<DesignCheck>& checksWithValues() const = 0;
  // The checks without their remedies, for a search that only ranks designs by their verdicts and
  // numbers; checks() adds the remedies to the same list.
  virtual const std::vector<DesignCheck>& bareChecks() const = 0;
  virtual bool designed() const = 0;
  // Steel of the parts the design sizes (plate, stiffeners, ribs, boot beams, diaphragms), kg.
  virtual double weight() const = 0;
  // Back to nothing held, as in a window just opened.
  virtual void reset() = 0;
  // Checks the base of the given sizes (every one the type takes, see ModuleDescriptor::sizes):
  // each check evaluated once on them, none changed. Commits only when it ends normally.
  virtual Outcome check(const Entries& entries, const Sizes& sizes) = 0;
  // The sizes of the held values, the object check() takes.
  virtual Sizes sizes() const = 0;
  virtual std::vector<NamedSize> namedSizes() const = 0;
  // The held values are a check of given sizes, not a design.
  virtual bool checked() const = 0;
  // Lets go of the listed checks, which are listed again, the same, when next asked for: under
  // many combinations only the checks that govern are kept at hand.
  virtual void forgetChecks() = 0;
};

struct ModuleDescriptor {
  std::string id;        // template name without extension: "j1", "gc"
  std::string formName;  // "TForm2"
  std::string caption;   // "铰接柱脚-输入设计参数"
  std::string title;     // the base type in a few words: "两锚栓铰接柱脚"
  WindowSize clientSize;
  WindowSize imageSize{321, 193};  // the diagram under "柱脚示意图"
  std::vector<ControlGroup> groups;
  bool hasDetailingToggle = false;  // cbsize and the user's plate sizes
  // The design finds the plate from the eccentricity M/N: a load combination without a moment is
  // not designed on its own, only checked on the base the others give.
  bool designNeedsMoment = false;
  std::string reportButton;         // "Button2" or "Button3"
  std::vector<InputCheck> checks;   // in checking order
  std::string resultFormName;       // "TForm9"
  WindowSize resultClientSize;
  std::vector<ResultGroupSpec> resultGroups;
  std::string templateFile;  // "j1.docx"
  std::string diagramFile;   // "j2.bmp"
  std::function<std::unique_ptr<DesignState>()> newState;
  // One line of advice for a calculation that stopped for `stop` on these entries.
  std::function<std::string(const Entries&, Stop stop)> stopRemedy;
  // The sizes a design produces and a check takes, in the order of the results; and among them
  // the thicknesses of plates, stiffeners and boot beams that come as stock plates.
  std::vector<SizeName> sizes;
  std::vector<std::string_view> plateThicknesses;

  const ControlSpec* findControl(const std::string& name) const;
  bool inSizeGroup(const std::string& control) const;
  Entries defaultEntries() const;
};

// The seven base types, in the order of the main window.
const std::vector<const ModuleDescriptor*>& allModules();
const ModuleDescriptor* findModule(const std::string& id);

}  // namespace pedivo
