#include "base/Exception.h"

namespace pixkura {

std::string FileOpenErrorMessage(const std::string& fileName) {
  return "ファイル " + fileName + " は開けません";
}

std::string FileCreateErrorMessage(const std::string& fileName) {
  return "ファイル " + fileName + " を作成できません";
}

std::string FileWriteErrorMessage(const std::string& fileName) {
  return fileName + " に書き込めません";
}

}  // namespace pixkura
