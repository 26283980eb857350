#pragma once
// Lets a test running as root meet file permissions as an ordinary user does: while an instance
// lives, the process's effective capabilities that bypass permission checks are switched off.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kestrova::testing {

class WithoutRootOverride {
 public:
  WithoutRootOverride() {
    if (!get(saved_)) return;
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~(bit(CAP_DAC_OVERRIDE) | bit(CAP_DAC_READ_SEARCH) | bit(CAP_FOWNER));
    changed_ = set(reduced);
  }
  ~WithoutRootOverride() {
    if (changed_) set(saved_);
  }
  WithoutRootOverride(const WithoutRootOverride&) = delete;
  WithoutRootOverride& operator=(const WithoutRootOverride&) = delete;

 private:
  static unsigned bit(int capability) { return 1u << capability; }
  static bool get(__user_cap_data_struct* data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data) == 0;
  }
  static bool set(__user_cap_data_struct* data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, data) == 0;
  }

  __user_cap_data_struct saved_[2]{};
  bool changed_ = false;
};

}  // namespace kestrova::testing
