#include "tables/python_check.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/test_files.h"

namespace tessivo::test {

namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

PythonResult RunPython(const std::string& script, const std::vector<std::string>& arguments) {
  TempFile program(std::vector<uint8_t>(script.begin(), script.end()), ".py");
  TempFile out(".out");
  TempFile err(".err");
  std::string command = "/usr/bin/python3";
  command.append(" ").append(Quote(program.path()));
  for (const std::string& argument : arguments) command.append(" ").append(Quote(argument));
  command.append(" >").append(Quote(out.path())).append(" 2>").append(Quote(err.path()));
  command.append(" </dev/null");
  const int status = std::system(command.c_str());
  PythonResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadText(out.path());
  result.err = ReadText(err.path());
  return result;
}

}  // namespace tessivo::test
