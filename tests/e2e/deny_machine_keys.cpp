// Plays a user without administrator rights for the end-to-end test: writing
// to the program's machine-wide keys is denied from "denied" on its output
// until its input ends, when the keys get their own permissions back.
#include <cstdio>

#include "support/standard_user.h"

int main() {
  const corvane::testing::MachineKeysDenied denied;
  std::puts("denied");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
}
