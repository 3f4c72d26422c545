// The program's own message loop: before dispatch it readdresses right-button
// presses, notices a slot picked from the list, turns the program's keys into
// commands and keeps the entry's selection in step with the commands.
#pragma once

#include <windows.h>

// One turn of the message loop for a fetched message: right-button
// readdressing, PickSlot, the key table, selection tracking, accelerators,
// translation and dispatch.
void ProcessLoopMessage(MSG &message);

// The parts of a turn, in their order.
void ReaddressRightButton(MSG &message);
bool TranslateLoopKey(MSG &message);
void TrackSelection(const MSG &message);

// Loads the accelerator table (VexAccelerator) the loop translates with.
void LoadKeyAccelerators(HINSTANCE instance);

// Runs until the quit message; returns its exit code.
int RunMessageLoop();
