// The windows the main window opens. The program creates each on first use.
#pragma once

namespace qor {

class Windows {
  public:
    virtual ~Windows() = default;
    // Loads the zone's panel when it is not loaded (it then places itself), and shows it.
    virtual void ShowZone(int zone) = 0;
    // The other windows of the menu, shown modeless; one already open comes forward without
    // loading again. A program that does not have the window yet shows nothing. A window that
    // fails to load may throw; the menu traps that where it must.
    virtual void ShowFile() {}
    virtual void ShowTuner() {}
    virtual void ShowEvents() {}
    virtual void ShowSettings() {}
};

}  // namespace qor
