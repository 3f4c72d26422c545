#include "app_state.h"

AppState State;
