// The exception family every library of the program raises.
//
// Failures are exceptions that carry only a message (UTF-8). The classes below
// stand in for the run-time library's and the GUI framework's own exceptions;
// each library adds its own classes beneath Exception with PIXKURA_EXCEPTION.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace pixkura {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

// Declares `Name` deriving from `Base` with Base's constructors.
#define PIXKURA_EXCEPTION(Name, Base) \
  class Name : public Base {          \
   public:                            \
    using Base::Base;                 \
  }

// The user cancelled; handlers treat it as a quiet stop, never as an error box.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

// Run-time checks: an index or a value outside its range, an arithmetic overflow.
PIXKURA_EXCEPTION(ERangeError, Exception);
PIXKURA_EXCEPTION(EIntOverflow, Exception);
// A text that is no number or colour where one was required.
PIXKURA_EXCEPTION(EConvertError, Exception);
// Memory or another system resource could not be had.
PIXKURA_EXCEPTION(EOutOfResources, Exception);
// The data is no picture the reader understands.
PIXKURA_EXCEPTION(EInvalidGraphic, Exception);
// An operation the object does not allow in its state.
PIXKURA_EXCEPTION(EInvalidOperation, Exception);

// Streams. EReadError: fewer bytes than required. The file errors carry the
// file name in the user's own words; the file commands tell them apart from
// EInOutError, the kind a failed transfer to or from an opened file raises.
PIXKURA_EXCEPTION(EStreamError, Exception);
PIXKURA_EXCEPTION(EReadError, EStreamError);
PIXKURA_EXCEPTION(EWriteError, EStreamError);
PIXKURA_EXCEPTION(EFOpenError, EStreamError);
PIXKURA_EXCEPTION(EFCreateError, EStreamError);
PIXKURA_EXCEPTION(EFWriteError, EStreamError);
PIXKURA_EXCEPTION(EInOutError, Exception);

// Standard messages of the classes above.
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
std::string FileOpenErrorMessage(const std::string& fileName);    // "ファイル %s は開けません"
std::string FileCreateErrorMessage(const std::string& fileName);  // "ファイル %s を作成できません"
std::string FileWriteErrorMessage(const std::string& fileName);   // "%s に書き込めません"

}  // namespace pixkura
