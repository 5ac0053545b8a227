// pedivo-calc: the input windows without windows. Reads cases as JSON Lines, presses "计算" as
// a window would, and writes what the window would then hold and show.

#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "design/files/software_version.h"
#include "help_text.h"
#include "offscreen_pictures.h"
#include "options.h"
#include "report_cases.h"
#include "single_case.h"
#include "streamed_cases.h"
#include "table_batch.h"

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);  // the C streams are not used
  using namespace pedivo::calc;
  const auto parsed = parseOptions(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::cerr << "pedivo-calc: " << *error << '\n';
    return 2;
  }
  const Options& options = std::get<Options>(parsed);
  if (options.help) {
    std::cout << helpText;
    return std::cout.flush() ? 0 : 2;
  }
  if (options.version) {
    std::cout << "pedivo-calc " << pedivo::softwareVersion() << '\n';
    return std::cout.flush() ? 0 : 2;
  }
  // Qt is started only for the reports' pictures.
  std::optional<OffscreenPictures> pictures;
  if (options.report || options.reportDir) pictures.emplace();
  const pedivo::PicturePainter paint = pictures ? pictures->painter() : pedivo::PicturePainter();
  if (options.batch) return designTable(options, paint);
  if (options.reportDir) return designReportCases(options, paint);
  if (options.report || options.dxf) return designSingleCase(options, paint);
  return designStreamedCases(options.inputs, {options.adjust, options.detail});
}
