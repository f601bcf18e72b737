// The window kit in one include.
#pragma once

#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/knob.h"
#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"
