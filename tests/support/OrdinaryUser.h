// Runs a check as an ordinary user, for cases about permissions that root
// would walk past (an unwritable folder, an unreadable file). As root the
// check runs in a child process that has dropped to the user "nobody"; as
// anyone else it runs in a child process as that user. The files the check
// touches must be reachable for nobody (folders 0755 rather than mkdtemp's
// 0700).
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <functional>
#include <string>

namespace pixkura::testing {

// The ids of "nobody" and its group on Debian.
inline constexpr uid_t kNobodyUid = 65534;
inline constexpr gid_t kNobodyGid = 65534;

// Returns what check returned (empty when it passed), or why it could not run.
inline std::string AsOrdinaryUser(const std::function<std::string()>& check) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    ::close(pipeFds[0]);
    std::string result;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobodyGid) != 0 || ::setuid(kNobodyUid) != 0)) {
      result = "could not become nobody";
    } else {
      try {
        result = check();
      } catch (const std::exception& e) {
        result = std::string("exception: ") + e.what();
      }
    }
    size_t done = 0;
    while (done < result.size()) {
      const ssize_t n = ::write(pipeFds[1], result.data() + done, result.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string result;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the check's process failed: " + result;
  return result;
}

}  // namespace pixkura::testing
