// A program's entry, whatever its name, stays global.
#include "engine/token.h"

int main() {
  return engine::Token{0}.length;
}
