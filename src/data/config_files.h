#pragma once

#include "core/key_value.h"

// The two web addresses the IME downloads articles from: the user's
// organisation's site and the local government's site, as the address page
// holds them (at most 99 characters each).
extern char SiteAddress1[kSiteAddressSize];
extern char SiteAddress2[kSiteAddressSize];

// Writes the edition marker "wbpybz.lzh" and the addresses with the fixed
// settings, "lznetsj.dat", into InstallDir. A file that cannot be created is
// not written, without a message.
void WriteConfigFiles();
