#include "design/bootbeam/boot_beam.h"
#include "design/common/module.h"
#include "design/embedded/embedded.h"
#include "design/pinned/four_bolt.h"
#include "design/pinned/two_bolt.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo {

const std::vector<const ModuleDescriptor*>& allModules() {
  static const std::vector<const ModuleDescriptor*> modules{
      &pinned::twoBoltModule(),       &pinned::fourBoltModule(),          &rigid::eightBoltModule(),
      &rigid::tenBoltModule(),        &bootbeam::tBootBeamModule(),       &bootbeam::channelBootBeamModule(),
      &embedded::embeddedModule(),
  };
  return modules;
}

const ModuleDescriptor* findModule(const std::string& id) {
  for (const ModuleDescriptor* module : allModules())
    if (module->id == id) return module;
  return nullptr;
}

}  // namespace pedivo
