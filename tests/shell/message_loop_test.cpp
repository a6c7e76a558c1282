#include <gtest/gtest.h>

#include "shell/message_loop.h"

namespace {

// GetMessageA gives -1 on an error without filling in the message: the loop must not
// hand that message to a window procedure.
TEST(MessageLoop, OnlyARealMessageIsDispatched) {
  EXPECT_EQ(ActionForGetMessage(1), PumpAction::kDispatch);
  EXPECT_EQ(ActionForGetMessage(0), PumpAction::kQuit);
  EXPECT_EQ(ActionForGetMessage(-1), PumpAction::kFail);
}

}  // namespace
