// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

// Tells screen readers a result through UI Automation's notification event
// (Windows 10 1709 and later; Narrator, NVDA and JAWS speak it), queued
// behind what they are saying. False where the system has no such event;
// then nothing is told.
bool RaiseNotification(HWND window, const std::u16string& text);
