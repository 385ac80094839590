#pragma once

#include "system/state.h"

// Fills SiteAddress1 and SiteAddress2 from "lznetsj.dat", or empties both
// when there is no such file. Longer values are cut to what the address
// buffers hold.
void ReadSiteAddresses();

// Takes the two addresses as the address page holds them, each cut to what
// its buffer holds.
void TakeSiteAddresses(const char* organisationSite, const char* governmentSite);

// Writes the edition marker "wbpybz.lzh" and the addresses with the fixed
// settings, "lznetsj.dat", into InstallDir, each whole or not at all. False,
// without a message, when either could not be written.
bool WriteConfigFiles();

// Rewrites the IME's settings record "lzszsj43.lzh", whole or not at all,
// with the traditional-Chinese flag, the edition's defaults and the skin
// dialog's WindowMode. Left alone when the user keeps the data of an earlier
// installation. False when the record could not be rewritten.
bool WriteSettingsRecord();

// A skin container is read up to this length; a longer one is cut and its
// later entries fail to unpack.
constexpr std::size_t kSkinContainerLimit = 131072;

// Unpacks the skin container at `path` (its first 128 KiB) into InstallDir,
// unless the user keeps the data of an earlier installation.
void UnpackSkin(const char* path);
