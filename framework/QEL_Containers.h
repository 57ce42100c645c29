// The companion data containers: TStringArray, TMatrix/TDataTable,
// TIntMatrix and TBitFld.
#pragma once
#include "framework/AllocGuard.h"
#include "framework/DataTable.h"
#include "framework/StringArray.h"
