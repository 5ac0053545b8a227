#pragma once
// The report of a rigid base whose calculation stopped at axial tension between the bolt rows.

#include <algorithm>
#include <string_view>

#include "design/common/module.h"

namespace pedivo {

// The pressure under the plate and the bolt tension found on an earlier, shorter plate of the same
// calculation, before the plate grew into the case it stopped at: not this plate's.
inline constexpr std::string_view earlierBearingTags[] = {
    "<#ta>", "<#tavalues>", "<#ylmax>", "<#ylmin>", "<#ylc>",   "<#xn>",  "<#Fx>",
    "<#Vfb>", "<#Ntal>",    "<#Ntalvalues>", "<#write4>", "<#qr>", "<#Vsh2>"};

// `sink` itself, or where the calculation stopped at the bearing, `sink` with "—" for the
// earlier plate's bearing. The returned emitter refers to `sink`, which must outlive it.
inline TagEmitter withoutEarlierBearing(bool stoppedAtBearing, const TagEmitter& sink) {
  if (!stoppedAtBearing) return sink;
  return [&sink](std::string_view tag, std::string_view text) {
    const bool earlier = std::find(std::begin(earlierBearingTags), std::end(earlierBearingTags), tag) !=
                         std::end(earlierBearingTags);
    sink(tag, earlier ? std::string_view("—") : text);
  };
}

}  // namespace pedivo
