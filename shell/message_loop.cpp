#include "shell/message_loop.h"

PumpAction ActionForGetMessage(int32_t result) {
  if (result == 0) return PumpAction::kQuit;
  if (result < 0) return PumpAction::kFail;
  return PumpAction::kDispatch;
}
