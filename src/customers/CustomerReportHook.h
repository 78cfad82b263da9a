#pragma once
// The customer screen's "&Print": the customer report. It is printed by the
// printing, which lies above the customers, so the program installs it here
// when it starts (none installed: nothing prints).
#include <functional>

// Called with the customer screen's address style (city, state and zip on one line).
inline std::function<void(bool usaStyle)> PrintCustomerReportHook;
