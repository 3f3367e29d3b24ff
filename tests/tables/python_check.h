// Runs a Python script with Debian's own /usr/bin/python3 (the one that has python3-xlrd), so
// exported files are read back by readers independent of the writers.
#pragma once

#include <string>
#include <vector>

namespace tessivo::test {

struct PythonResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

PythonResult RunPython(const std::string& script, const std::vector<std::string>& arguments);

}  // namespace tessivo::test
