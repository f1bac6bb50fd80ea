#pragma once
// The one error type of the program: what a run-time error carries from the
// place it is raised to the handler that traps it (or to the port's entry).
#include <exception>
#include <string>

namespace quimbel::base {

// Error numbers follow the classic run-time numbering that the error boxes show.
enum ErrorNumber : int {
  kInvalidCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kInternal = 51,      // an exception the program did not raise itself
  kStoreFailure = 75,  // path/file access error: the settings store refused
};

class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, std::string source, std::string description, std::string helpFile = {},
               int helpContext = 0);

  int Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }
  const std::string& HelpFile() const { return helpFile_; }
  int HelpContext() const { return helpContext_; }
  const char* what() const noexcept override { return description_.c_str(); }

  static RuntimeError Overflow();
  static RuntimeError TypeMismatch();
  static RuntimeError SubscriptOutOfRange();
  static RuntimeError InvalidCall();
  static RuntimeError StoreFailure(const std::string& detail);
  static RuntimeError OutOfMemory();
  // detail: what the failing library said, if anything.
  static RuntimeError Internal(const std::string& detail);

 private:
  int number_;
  std::string source_;
  std::string description_;
  std::string helpFile_;
  int helpContext_;
};

// The source name every error raised by this program carries.
inline constexpr const char* kErrorSource = "quimbel";

}  // namespace quimbel::base
