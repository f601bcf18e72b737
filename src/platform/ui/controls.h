// Every kind of control a window is built from, one header per family.
#pragma once

#include "platform/ui/boxes.h"
#include "platform/ui/dates.h"
#include "platform/ui/filelists.h"
#include "platform/ui/frames.h"
#include "platform/ui/grid.h"
#include "platform/ui/knob.h"
#include "platform/ui/labels.h"
#include "platform/ui/lists.h"
#include "platform/ui/richtext.h"
#include "platform/ui/shapes.h"
#include "platform/ui/sliders.h"
#include "platform/ui/timepicker.h"
#include "platform/ui/timer.h"
