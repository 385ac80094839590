#include "data/user_data.h"

int OldDataState = kOldDataNone;
