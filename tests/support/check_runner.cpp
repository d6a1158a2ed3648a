#include "support/check_runner.h"

#include <cstdio>

#include "data/data_check.h"

int RunCheck(const std::string& path, std::string* printed) {
  std::FILE* out = std::tmpfile();
  int status = CheckDataFiles({path}, out);
  std::rewind(out);
  printed->clear();
  for (int c; (c = std::fgetc(out)) != EOF;) printed->push_back(static_cast<char>(c));
  std::fclose(out);
  return status;
}
