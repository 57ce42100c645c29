// Everything an application needs in one include: the application and its
// forms, the headless host (with its test robot) and every component.
// The SDL host, for real windows, is in "qel/sdl.h" (link qel::sdl).
#pragma once

// The component headers keep their includes lean; applications that took
// these from them before still get them here.
#include <algorithm>
#include <cmath>
#include <map>

#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

#include "browsers/QEL_FolderTree.h"
#include "browsers/QEL_Thumbnails.h"
#include "gauges/QEL_Meter.h"
#include "gauges/QEL_ProgBar.h"
#include "gauges/QEL_onoffbut.h"
#include "gauges/QEL_repsbut.h"
#include "labels/QEL_RasterLab.h"
#include "labels/QEL_RotLab.h"
#include "labels/QEL_gradfl.h"
#include "ntabed/QEL_ntabed.h"
#include "numeric/QEL_NumIO.h"
#include "numeric/QEL_NumLab.h"
#include "numeric/QEL_sevenseg.h"
#include "pickers/QEL_Colsel.h"
#include "pickers/QEL_MiniCal.h"
#include "pickers/QEL_marksel.h"
#include "replist/QEL_replist.h"
