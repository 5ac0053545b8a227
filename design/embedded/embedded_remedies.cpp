#include "design/embedded/embedded_remedies.h"

#include "design/common/remedy_text.h"

namespace pedivo::embedded {
namespace {

double embeddedWeight(const EmbeddedHeld&) { return 0; }

void embeddedCheckRemedies(const EmbeddedHeld& h, std::vector<DesignCheck>& checks) {
  using remedy::num;
  const std::string deeper = "插入深度由程序按 10 mm 加深取定（现为 dc = " + num(h.H2) + " mm）";
  remedy::attach(checks, {
                             {"depthN", "轴力所需深度 H1 = " + num(h.H1) + " mm：" + deeper +
                                            "；提高基础混凝土强度等级可减小所需深度"},
                             {"depthMin", "最小插入深度 max(1.5hb, 500) = " + num(h.H1min) + " mm：" + deeper},
                             {"moment", "插入段抗弯需要更大的深度或翼缘宽度：" + deeper +
                                            "；提高混凝土强度等级，或采用翼缘更宽的柱截面"},
                         });
}

std::string embeddedStopRemedy(const Entries& entries, Stop stop) {
  return remedy::stopRemedy(entries, stop,
                            {"", "弯矩与剪力相对翼缘宽度过大：提高混凝土强度等级，或采用翼缘更宽的柱截面", ""});
}

}  // namespace

const TypeRemedies<EmbeddedHeld> embeddedRemedies{embeddedWeight, embeddedCheckRemedies, embeddedStopRemedy};

}  // namespace pedivo::embedded
