#include "app_state.h"

AppState State;
AppPaths Paths;
