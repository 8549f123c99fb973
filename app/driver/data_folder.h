#pragma once

#include <string>

// Full path of a file of the program's data folder "clt": beside the
// executable, else in the installed layout (../share/vardane/clt), else in
// the build tree (../clt, the executables sit one folder below it). When
// none holds the file, the path beside the executable is returned, so that
// a missing table is reported under the expected name.
std::string clt_file(const std::string& name);
