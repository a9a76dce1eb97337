#include "loader/small_crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace kit {
namespace {

TEST(SmallCrc32, GivesZlibsValuesAlsoWhenChained) {
  const std::string check = "123456789";
  EXPECT_EQ(SmallCrc32(0, reinterpret_cast<const unsigned char*>(check.data()), check.size()), 0xCBF43926u);
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>(i * 7 + (i >> 3)));
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const uint32_t whole = static_cast<uint32_t>(crc32(0, p, static_cast<uInt>(bytes.size())));
  EXPECT_EQ(SmallCrc32(0, p, bytes.size()), whole);
  EXPECT_EQ(SmallCrc32(SmallCrc32(0, p, 1234), p + 1234, bytes.size() - 1234), whole);
  EXPECT_EQ(SmallCrc32(0, p, 0), 0u);
}

}  // namespace
}  // namespace kit
