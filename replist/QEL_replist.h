// QEL_replist: the report list. This header is what applications include.
#pragma once
#include "replist/RLData.h"
