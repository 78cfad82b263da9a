#pragma once
// A ground-floor header reaching up into a subsystem: the check must refuse it.
#include "common/Fine.h"
#include "customers/Records.h"
