// perolet-res: lists the items of the game's image and sound lists and extracts them.
#include <iostream>

#include "res_tool.h"

int main(int argc, char** argv) {
  return res_tool::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
