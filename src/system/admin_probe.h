#pragma once

// True on Vista and later when the persisted installation path does not read
// back as written, which is what a run without administrator rights sees.
int LacksAdminRights();
