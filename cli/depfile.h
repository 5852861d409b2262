// The dependency file `rastrum convert --depfile` writes, so that Make and
// Ninja rerun a conversion only when a picture or a folder of the tree changed.
#pragma once

#include <string>
#include <vector>

// One path as GNU Make and Ninja read it in a dependency file: a blank
// becomes "\ ", '#' "\#", '$' "$$" and ':' "\:"; every other byte, invalid
// UTF-8 included, is written as it is.
std::string EscapeDependencyPath(const std::string& path);

// "target: prerequisites", one prerequisite a line, then an empty rule for
// each prerequisite, so a removed picture or folder reruns the conversion
// instead of stopping Make for want of a rule.
std::string DependencyText(const std::string& target,
                           const std::vector<std::string>& prerequisites);

// Writes `text` to `path` under a staging name and renames it into place.
// Returns the problem (naming the file), or nothing.
std::string WriteDependencyFile(const std::string& path, const std::string& text);
