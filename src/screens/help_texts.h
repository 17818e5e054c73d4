#pragma once

#include <string>
#include <vector>

// The body lines of help pages 1, 4 and 5 (UTF-8); other pages have none.
const std::vector<std::string>& HelpBodyLines(int page);

struct THelpLabel {
  std::string text;  // UTF-8
  int x = 0;
  int y = 0;
};

// The labels beside the enemies' pictures on help page 2: what shooting each down scores, as
// the enemies themselves count it. Made once: the lines live as long as the program.
const std::vector<THelpLabel>& HelpEnemyPoints();
