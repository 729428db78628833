#include "engine/command_loop.h"

int main() {
  return CommandLoop();
}
