// Scripted checks of long work on the gallery's "Report list" page, run by
// qel-monkey before its random user: filling and sorting many rows move the
// progress bar through increasing values to 100, input given meanwhile is
// handled (Stop, a click on a row) or refused (Fill again, another header,
// leaving the page) and the rows stay whole. Returns the failed checks.
#pragma once

namespace monkey {

int CheckLongWork();

}  // namespace monkey
