// The windows the main window opens. The program creates each on first use.
#pragma once

namespace qor {

class Windows {
public:
    virtual ~Windows() = default;
    // Loads the zone's panel when it is not loaded (it then places itself), and shows it.
    virtual void ShowZone(int zone) = 0;
};

}  // namespace qor
