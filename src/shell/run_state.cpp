#include "shell/run_state.h"

int OemCodePage;
int RunMode;
int RegistrationFlag;
int PageNumber;
int Edition = kWubiEdition;
