#pragma once

// What the reading commands share: a container file read whole, and where an
// entry lives in a directory of the build machine.

#include "core/container_walk.h"
#include "host_files.h"

#include <string>

// Reads the container; prints the reason and returns false when it cannot.
bool LoadContainer(const std::string& path, Bytes& container);

// `dir`/name in UTF-8, for an entry any reader may write. False with `error`
// set for an entry that must not be written or whose name is not GBK.
bool EntryFilePath(const std::string& dir, const ContainerEntry& entry, std::string& path,
                   std::string& error);

// Prints why a walk stopped short, if it did, and tells whether it did.
bool ReportEarlyEnd(const std::string& containerPath, const ContainerWalk& walk);
