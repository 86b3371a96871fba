#include "model/profile_store.h"

namespace talon {

void ReleaseContents(ProfileContents& contents) {
  contents.launch_strings.Clear();
  contents.macros.clear();
  contents.key_block = FreshKeyBlock();
}

}  // namespace talon
