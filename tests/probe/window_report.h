// Describes windows of the running desktop as JSON: top-level windows with
// their child controls, and the facts a test asserts on (class, text, check
// state, enabled, visible, rectangle, owning process).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/probe/json_writer.h"

std::wstring WindowClassName(HWND window);
// The window's text as its own window procedure reports it (WM_GETTEXT), so
// controls that keep their text privately, such as tool tips, answer too.
std::wstring WindowText(HWND window);

// Every top-level window, in z-order.
std::vector<HWND> TopLevelWindows();

void WriteWindow(TJsonWriter& json, HWND window, bool withChildren);
// Every top-level window, visible or not, each with its children.
void WriteTopLevelWindows(TJsonWriter& json);
