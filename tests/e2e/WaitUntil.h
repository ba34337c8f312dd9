// The session test's way to its wait; every other test includes support/Wait.h.
#pragma once

#include "support/Wait.h"
