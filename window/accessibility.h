// Screen readers: the result field is an assertive live region, so that a
// result or a message is read out while the focus stays in the entry, and
// the buttons whose captions are marks have spoken names. Both go through
// the system's accessibility property service; where it is missing (older
// systems) or refuses a property, the program works as before, silently.
#pragma once

#include <windows.h>

#include <oleacc.h>

// Initialises COM on this thread, creates the property service, makes the
// result field an assertive live region and names the symbol buttons
// (NameButtons), then makes an announcement held until now. Once per window.
void StartAccessibility(HWND window);

// Starts the above once the window and its controls are drawn (a timer,
// IDT_ACCESSIBILITY): COM and the service are not needed for the first
// paint and would delay it. Called by the first paint.
void StartAccessibilityLater(HWND window);
void OnAccessibilityTimer(HWND window);

// Clears the properties, releases the service and COM; for the window's
// destruction.
void StopAccessibility(HWND window);

// The symbol buttons' spoken names in the interface language, as both the UI
// Automation Name and the older interface's name (PROPID_ACC_NAME); each
// button then raises EVENT_OBJECT_NAMECHANGE, so that a reader on it hears
// the new name. Nothing without the service.
void NameButtons(HWND window);

// Tells screen readers that the result field's text has changed: one
// EVENT_OBJECT_LIVEREGIONCHANGED for the field per call; before the service
// has started, the last such call is made when it starts.
void AnnounceResultChange();

// The spoken name of a button whose caption is a mark ("べき乗" or "power"
// for "^") in the interface language, or nullptr for a button whose caption
// is a word.
const wchar_t *GetButtonSpokenName(int id);

// Creates the property service: the system's by default (nullptr when COM
// or the service is missing). Tests put a stand-in here.
extern IAccPropServices *(*CreatePropertyService)();

// The service in use (nullptr before StartAccessibility, after
// StopAccessibility and where there is none).
IAccPropServices *GetPropertyService();

// The service's bookkeeping as before start-up (between the in-process tests).
void ResetAccessibility();
