#include "fault_plan.h"

#include <algorithm>

#include "kb_bridge_abi.h"

namespace talon::vkb {

void FaultPlan::Add(std::uint32_t kind, std::uint32_t skip, std::uint32_t count,
                    std::uint32_t param) {
  if (kind < KBSIM_FAULT_DROP || kind > KBSIM_FAULT_UNPLUG || count == 0) return;
  std::lock_guard lock(mutex_);
  faults_.push_back({kind, skip, count, param});
}

void FaultPlan::Clear() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

FaultEffect FaultPlan::Next() {
  std::lock_guard lock(mutex_);
  FaultEffect effect;
  for (Fault& f : faults_) {
    if (f.skip > 0) {
      --f.skip;
      continue;
    }
    --f.count;
    switch (f.kind) {
      case KBSIM_FAULT_DROP:
        effect.drop = true;
        break;
      case KBSIM_FAULT_WRONG_COMMAND:
        effect.wrong_command = true;
        break;
      case KBSIM_FAULT_STATUS_254:
        effect.status = 254;
        break;
      case KBSIM_FAULT_STATUS_255:
        effect.status = 255;
        break;
      case KBSIM_FAULT_DELAY:
        effect.delay_ms += f.param;
        break;
      case KBSIM_FAULT_SHORT:
        effect.short_length = f.param;
        break;
      case KBSIM_FAULT_UNPLUG:
        effect.unplug = true;
        break;
    }
  }
  std::erase_if(faults_, [](const Fault& f) { return f.count == 0; });
  return effect;
}

}  // namespace talon::vkb
