// The form's own gadget kind: a gauge, a progress bar whose state is its position, 0 to 100.
// Created like the runtime's kinds; every other gadget operation takes it too.
#pragma once

#include <windows.h>
#include <stdint.h>

HWND GadgetCreateGauge(int32_t number, int32_t x, int32_t y, int32_t width, int32_t height);
