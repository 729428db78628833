#include "match/engines/fault.h"

namespace match::engines {

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::kNone:
      return "";
    case Fault::kNoStart:
      return "did not start";
    case Fault::kCrash:
      return "crash";
    case Fault::kTime:
      return "time";
    case Fault::kIllegalReply:
      return "illegal reply";
    case Fault::kInterrupted:
      return "interrupted";
  }
  return "";
}

}  // namespace match::engines
