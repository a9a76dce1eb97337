// The throw helpers the shipped programs carry in place of the standard
// library's: the library's messages, caught as std::exception but no longer
// as its logic_error family; allocation errors keep their own type.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

template <class F>
std::string WhatOf(F f) {
  try {
    f();
  } catch (const std::logic_error&) {
    return "the library's own std::logic_error";
  } catch (const std::exception& e) {
    return e.what();
  }
  return "nothing raised";
}

TEST(LibraryThrows, BadIndexesAndLengthsCarryTheLibrarysMessages) {
  const std::string abc = "abc";
  EXPECT_EQ(WhatOf([&] { (void)abc.substr(5); }),
            "basic_string::substr: __pos (which is 5) > this->size() (which is 3)");
  EXPECT_EQ(WhatOf([&] { (void)abc.at(3); }),
            "basic_string::at: __n (which is 3) >= this->size() (which is 3)");
  const std::vector<int> two(2);
  EXPECT_EQ(WhatOf([&] { (void)two.at(7); }),
            "vector::_M_range_check: __n (which is 7) >= this->size() (which is 2)");
  std::string s;
  EXPECT_EQ(WhatOf([&] { s.reserve(s.max_size() + 1); }), "basic_string::_M_create");
}

TEST(LibraryThrows, FormatsNumbersTextsAndPercentAndCutsLongMessages) {
  EXPECT_EQ(WhatOf([] { std::__throw_out_of_range_fmt("a %zu b %s c %% %zu", std::size_t{0}, "xyz",
                                                       std::size_t{4294967295u}); }),
            "a 0 b xyz c % 4294967295");
  const std::string long_text(400, 'x');
  EXPECT_EQ(WhatOf([&] { std::__throw_out_of_range_fmt("%s!", long_text.c_str()); }), std::string(255, 'x'));
  EXPECT_EQ(WhatOf([] { std::__throw_invalid_argument("stoi"); }), "stoi");
  EXPECT_EQ(WhatOf([] { std::__throw_runtime_error("clock"); }), "clock");
}

TEST(LibraryThrows, AllocationErrorsKeepTheirType) {
  EXPECT_THROW(std::__throw_bad_alloc(), std::bad_alloc);
  EXPECT_THROW(std::__throw_bad_array_new_length(), std::bad_array_new_length);
}

}  // namespace
