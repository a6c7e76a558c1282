// What the message loop does with each result of GetMessageA.
#pragma once

#include <cstdint>

enum class PumpAction {
  kDispatch,  // a message came: translate and dispatch it
  kQuit,      // WM_QUIT (0): the loop ends with the quit message's code
  kFail,      // an error (-1): the message was never filled in; nothing is done with it,
              // and the program closes its window in order and ends with exit code 1
};

PumpAction ActionForGetMessage(int32_t result);
