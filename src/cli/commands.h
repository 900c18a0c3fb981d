#pragma once

#include <string>
#include <vector>

namespace kestrova::cli {

using Arguments = std::vector<std::string>;

// Each returns the process exit status: 0 done, 1 refused or failed, 2 usage.
int RunInfo(const Arguments& arguments);
int RunDemo(const Arguments& arguments);
int RunRender(const Arguments& arguments);
int RunSave(const Arguments& arguments);
int RunAsm(const Arguments& arguments);
int RunTap(const Arguments& arguments);

}  // namespace kestrova::cli
