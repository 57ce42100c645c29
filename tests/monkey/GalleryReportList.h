// Scripted checks of the gallery's "Report list" page as a user meets it,
// run by qel-monkey before its random user: the row editor opens on the
// current row with the name's list item chosen (also with a filter and a
// sort on), the status line after a selection and after a sort, and the
// progress bar's text drawn whole. Returns the failed checks.
#pragma once

namespace monkey {

int CheckReportListPage();

}  // namespace monkey
