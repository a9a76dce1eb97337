// The standard library's throw helpers (std::__throw_*), which its inline code
// calls on a bad index, a length beyond max_size() or a bad argument. The
// library's own raise std::logic_error and std::runtime_error, whose message
// member is the library's second, reference-counted string type: that brings
// its whole implementation (about 50 KB with unwind tables) into every
// program. These raise an exception with the same message, caught wherever
// std::exception is; the library's allocation and cast errors keep their own
// types. Linked into each shipped Windows program (kit_shipped_program).
#include <bits/functexcept.h>

#include <cstdarg>
#include <cstddef>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryError : public std::exception {
 public:
  explicit LibraryError(const char* text) { Add(text); }
  const char* what() const noexcept override { return text_; }

  void Add(const char* text) {
    while (text != nullptr && *text != '\0') AddChar(*text++);
  }
  void AddChar(char c) {
    if (length_ + 1 < sizeof text_) text_[length_++] = c;
    text_[length_] = '\0';
  }
  void AddNumber(std::size_t n) {
    char digits[24];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + n % 10);
      n /= 10;
    } while (n != 0);
    while (count > 0) AddChar(digits[--count]);
  }

 private:
  char text_[256] = {};
  std::size_t length_ = 0;
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* s) { throw LibraryError(s); }
void __throw_domain_error(const char* s) { throw LibraryError(s); }
void __throw_invalid_argument(const char* s) { throw LibraryError(s); }
void __throw_length_error(const char* s) { throw LibraryError(s); }
void __throw_out_of_range(const char* s) { throw LibraryError(s); }
void __throw_runtime_error(const char* s) { throw LibraryError(s); }
void __throw_range_error(const char* s) { throw LibraryError(s); }
void __throw_overflow_error(const char* s) { throw LibraryError(s); }
void __throw_underflow_error(const char* s) { throw LibraryError(s); }

// The library's formats use %zu, %s and %% only.
void __throw_out_of_range_fmt(const char* format, ...) {
  LibraryError error("");
  va_list args;
  va_start(args, format);
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
      error.AddNumber(va_arg(args, std::size_t));
      p += 2;
    } else if (p[0] == '%' && p[1] == 's') {
      error.Add(va_arg(args, const char*));
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      error.AddChar('%');
      ++p;
    } else {
      error.AddChar(*p);
    }
  }
  va_end(args);
  throw error;
}

}  // namespace std
