#pragma once

// A lower layer reaching the window: the layering check must refuse it.
#include "app/main_window.h"
