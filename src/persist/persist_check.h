// The data-file checker's view of settings and profile files: everything the
// game's reader would stop at (errors) or read past without effect
// (warnings), found by running that same reader on the parsed file.
#pragma once

#include <string>
#include <vector>

class xmlNode;

struct PersistFindings {
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
};

// A file whose root element is "options".
PersistFindings CheckSettingsTree(const xmlNode& root);
// A file whose root element is "profile"; `fileName` is the file's own name
// (without folder), to compare with the name inside.
PersistFindings CheckProfileTree(const xmlNode& root, const std::string& fileName);
