#pragma once
// The help viewer: shows the help file of the UI language (an HTML document) at its contents or
// at the section that a keyword names (an anchor of that name).

#include <string>

namespace zembo {

// fileName and keyword are bytes of the UI language; an empty keyword shows the contents.
void showHelp(const std::string& fileName, const std::string& keyword = {});

}  // namespace zembo
