// The INI manager's rule for configuration file names.
#pragma once

#include <string>

namespace qor {

// Judges `name` and cleans up `text1`, the text of the INI manager's file-name box: 0 when the
// name is accepted, 1 when it is refused. A name is accepted when it contains ".ini" (case
// matters) or holds no "." at all; in the latter case ".ini" is appended to the box text. The box
// text is then trimmed and every character other than an ASCII letter, a digit or "." becomes
// "_". A box left holding ".ini" alone refuses the name whatever it was.
// `name` and `text1` may be the same string.
int truefiln(const std::string& name, std::string& text1);

// The text copy saved beside a configuration: the name without its last three characters, then
// "txt" ("a.ini" gives "a.txt", "x.ini.bak" gives "x.ini.txt").
std::string TextTwinName(const std::string& name);

// A file the program itself reads (the key list, the zone view choice, the schedule read back
// from the device), named exactly so: no configuration is saved under that name.
bool IsProgramReadFile(const std::string& name);

}  // namespace qor
