#pragma once
#include <cstdlib>
#include <string>

// Folder of the test data files (tests/data).
inline std::string testDataDir() {
  const char* dir = std::getenv("QUILLAVEN_TEST_DATA");
  return dir ? dir : "tests/data";
}
