#include "base/numeric_text.hpp"

#include <cmath>
#include <limits>

#include "base/rounding.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::base {
namespace {

// Walks a text character by character, optionally stepping over the blanks
// that the lenient reading ignores.
class Scanner {
 public:
  Scanner(std::string_view text, bool skipBlanks) : text_(text), skipBlanks_(skipBlanks) { Skip(); }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() {
    ++pos_;
    Skip();
  }
  bool Accept(char lower) {
    char c = Peek();
    if (c == lower || c == static_cast<char>(lower - 'a' + 'A')) {
      Advance();
      return true;
    }
    return false;
  }

 private:
  void Skip() {
    while (skipBlanks_ && pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
      ++pos_;
    }
  }
  std::string_view text_;
  std::size_t pos_ = 0;
  bool skipBlanks_;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (IsDigit(c))
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// A radix literal's value: up to 16 bits it reads as a signed 16-bit number,
// up to 32 bits as a signed 32-bit number, as the classic literals do.
double RadixValue(unsigned long long v) {
  if (v <= 0xFFFFULL)
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
  if (v <= 0xFFFFFFFFULL)
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  throw RuntimeError::Overflow();
}

// Reads "&H..." or "&O..." after the '&'. Sets any when at least one digit was read.
double ReadRadix(Scanner& s, bool& any) {
  int base = 0;
  if (s.Accept('h')) {
    base = 16;
  } else if (s.Accept('o')) {
    base = 8;
  } else {
    any = false;
    return 0.0;
  }
  unsigned long long v = 0;
  any = false;
  for (;;) {
    int d = HexValue(s.Peek());
    if (d < 0 || d >= base)
      break;
    if (v > 0xFFFFFFFFULL)
      throw RuntimeError::Overflow();
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    any = true;
    s.Advance();
  }
  return any ? RadixValue(v) : 0.0;
}

// mantissa * 10^exp10, exact where both factors are exact doubles.
double Scale(unsigned long long mantissa, long exp10) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double m = static_cast<double>(mantissa);
  if (mantissa == 0)
    return 0.0;
  if (exp10 >= 0 && exp10 <= 22)
    return m * kPow10[exp10];
  if (exp10 < 0 && exp10 >= -22)
    return m / kPow10[-exp10];
  return m * std::pow(10.0, static_cast<double>(exp10));
}

// Reads a decimal number: [sign] digits [. digits] [exponent]. Sets any when a
// digit of the mantissa was read.
double ReadDecimal(Scanner& s, bool& any) {
  bool negative = false;
  if (s.Peek() == '+' || s.Peek() == '-') {
    negative = s.Peek() == '-';
    s.Advance();
  }
  unsigned long long mantissa = 0;
  long exp10 = 0;
  int significant = 0;
  any = false;
  auto takeDigit = [&](bool fraction) {
    int d = s.Peek() - '0';
    any = true;
    if (significant < 19) {
      if (mantissa != 0 || d != 0)
        ++significant;
      mantissa = mantissa * 10 + static_cast<unsigned>(d);
      if (fraction)
        --exp10;
    } else if (!fraction) {
      ++exp10;  // digits past 19 significant ones only scale the value
    }
    s.Advance();
  };
  while (IsDigit(s.Peek()))
    takeDigit(false);
  if (s.Peek() == '.') {
    s.Advance();
    while (IsDigit(s.Peek()))
      takeDigit(true);
  }
  if (!any)
    return 0.0;
  char e = s.Peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    s.Advance();
    bool expNegative = false;
    if (s.Peek() == '+' || s.Peek() == '-') {
      expNegative = s.Peek() == '-';
      s.Advance();
    }
    long exponent = 0;
    while (IsDigit(s.Peek())) {
      if (exponent < 100000)
        exponent = exponent * 10 + (s.Peek() - '0');
      s.Advance();
    }
    exp10 += expNegative ? -exponent : exponent;
  }
  double v = Scale(mantissa, exp10);
  if (std::isinf(v))
    throw RuntimeError::Overflow();
  return negative ? -v : v;
}

}  // namespace

double ReadNumericPrefix(std::string_view text) {
  Scanner s(text, true);
  bool any = false;
  if (s.Peek() == '&') {
    s.Advance();
    return ReadRadix(s, any);
  }
  return ReadDecimal(s, any);
}

std::optional<double> ParseWholeNumber(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  if (text.empty())
    return std::nullopt;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n')
      return std::nullopt;  // no blanks inside
  }
  Scanner s(text, false);
  bool any = false;
  double v;
  if (s.Peek() == '&') {
    s.Advance();
    v = ReadRadix(s, any);
  } else {
    v = ReadDecimal(s, any);
  }
  if (!any || !s.AtEnd())
    return std::nullopt;
  return v;
}

std::int16_t TextToInt16(std::string_view text) {
  std::optional<double> v = ParseWholeNumber(text);
  if (!v)
    throw RuntimeError::TypeMismatch();
  return CInt16(*v);
}

}  // namespace quimbel::base
