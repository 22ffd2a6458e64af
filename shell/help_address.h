// The address under which the browser finds the help page that the program writes out.
#pragma once

#include <string>

// "file:///" and the path with '\' turned into '/'. Every byte outside the ASCII letters and
// digits and "/-._~:" is percent-encoded, so that spaces and non-ASCII names survive any browser.
// path is a full Windows path in UTF-8.
std::string fileAddress(const std::string& path);
