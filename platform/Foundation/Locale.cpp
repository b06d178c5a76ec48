#include <Foundation/Locale.h>

#include <cstdlib>

namespace ios {

Locale Locale::current() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string name = value;
    name = name.substr(0, name.find_first_of(".@"));  // drop ".UTF-8" and "@modifier"
    if (name.empty() || name == "C" || name == "POSIX") break;
    return Locale{name};
  }
  return enUSPOSIX();
}

}  // namespace ios
