#include "design/drawing/printed_sheet.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pedivo::drawing {

PrintedSize printedSize(const Extent& sheet) {
  const double aspect = sheet.height() / std::max(sheet.width(), 1.0);
  const double width = std::min(reportTextWidthMm, reportTallestPictureMm / std::max(aspect, 1e-3));
  return {width, width * aspect};
}

double printedScale(const Extent& sheet) {
  if (sheet.width() <= 0 || sheet.height() <= 0) return 0;
  const PrintedSize page = printedSize(sheet);
  return std::min(page.widthMm / sheet.width(), page.heightMm / sheet.height()) * (1 - 2 * pictureMargin);
}

double printedTextHeight(const Drawing& drawing) { return drawing.textHeight * printedScale(drawing.extent()); }

bool dimensionTextsOverlap(const Drawing& drawing) {
  const auto& dims = drawing.dimensions;
  for (std::size_t i = 0; i < dims.size(); ++i)
    for (std::size_t j = i + 1; j < dims.size(); ++j)
      if (dimensionTextsMeet(dims[i], dims[j], drawing.textHeight)) return true;
  return false;
}

std::string pictureCaption(const Drawing& drawing) { return "柱脚图：" + drawing.title + "（尺寸单位：mm）"; }

}  // namespace pedivo::drawing
