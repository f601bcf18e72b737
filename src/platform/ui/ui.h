// The window kit in one include. How a window is written with it:
//
//   class Frmsettings : public ui::Form {
//       Context& ctx_;  // members the controls' lines use come first
//     public:
//       explicit Frmsettings(Context& ctx) : Form("Frmsettings"), ctx_(ctx) {
//           setCaption("Adjust current settings ");   // window properties in the constructor
//           setBorderStyle(ui::FormBorderStyle::FixedSingle);
//       }
//       // One line per control: name, twips rectangle (inside its container), container,
//       // design values, handlers bound to member functions.
//       ui::Menu& mnustandard = addMenu("mnustandard", "Standard")
//                                   .onClick(this, &Frmsettings::mnustandard_Click);
//       ui::Array<ui::Frame> Frame1 = addArray<ui::Frame>("Frame1", {{360, 0, 5295, 4095},
//                                                                    {5760, 0, 5055, 4095}});
//       ui::TabStrip& TabStrip1 = add<ui::TabStrip>("TabStrip1", {240, 240, 4815, 3495})
//                                     .in(Frame1[0]).setTabCount(4)
//                                     .onClick(this, &Frmsettings::TabStrip1_Click);
//       ui::Array<ui::Frame> Frame2 = addArray<ui::Frame>("Frame2", {{...}, {...}})
//                                         .in(Frame1[0]).onClick(this, &Frmsettings::Frame2_Click);
//       void mnustandard_Click();
//       void TabStrip1_Click();
//       void Frame2_Click(int Index);  // an array's handler gets the index first
//   };
//
// Every setter returns the control and goes through one compare-store-repaint-notify step:
// nothing happens on an equal value. A tick box, a combo box's choice and a scroll bar set
// from code raise their Click / Change as the user's change would; a knob, a slider or a tab
// set from code raise nothing, only the user's moves do.
// A list's ListIndex and a folder list's Path set from code raise Click / Change too; a time
// picker set from code raises nothing, and the grid has no events for values set from code.
#pragma once

#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/knob.h"
#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"
