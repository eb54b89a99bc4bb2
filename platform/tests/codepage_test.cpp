#include "platform/text/codepage.h"

#include <gtest/gtest.h>

TEST(CodePage, Placeholder) { EXPECT_EQ(GetACP(), 1252u); }
