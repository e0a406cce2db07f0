#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(Exceptions, ClassNameAndMessageFollowTheHierarchy) {
  try {
    throw EReadError("Stream read error");
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.ClassName(), "EReadError");
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_THROW(Abort(), EAbort);
}
