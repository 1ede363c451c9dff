#include "tests/test_support.h"

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/platform.h"

namespace kv5::testing {

TempFolder::TempFolder() {
  std::string pattern = SystemTempFolder() + "kv5test.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = std::string(name.data()) + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

int ExitCodeUnderFileSizeLimit(long maxBytes, const std::function<bool()>& body) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {static_cast<rlim_t>(maxBytes), static_cast<rlim_t>(maxBytes)};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::string ReadFileBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
  std::ofstream out(fileName, std::ios::binary);
  out << bytes;
}

}  // namespace kv5::testing
