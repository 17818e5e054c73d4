#pragma once

#include <string>
#include <vector>

// The body lines of help pages 1, 4 and 5 (UTF-8); other pages have none.
const std::vector<std::string>& HelpBodyLines(int page);
