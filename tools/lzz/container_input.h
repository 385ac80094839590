#pragma once

// What the reading commands share: a container file read whole, and where an
// entry lives in a directory of the build machine.

#include "core/container_walk.h"
#include "host_files.h"

#include <cstdint>
#include <functional>
#include <string>

// Checks or writes one entry; false when it fails (after printing why).
using EntryVisitor = std::function<bool(ContainerFormat, const ContainerEntry&)>;

// Reads the container file whole and visits its entries in stored order.
// Returns the exit status: 0 when the file was read and walked to its count
// and every visit succeeded, else 1 (with the reason printed).
// `entryCount`, when given, receives the header's count.
int VisitContainer(const std::string& path, const EntryVisitor& visit,
                   std::uint32_t* entryCount = nullptr);

// `dir`/name in UTF-8, for an entry any reader may write. False with `error`
// set for an entry that must not be written or whose name is not GBK.
bool EntryFilePath(const std::string& dir, const ContainerEntry& entry, std::string& path,
                   std::string& error);
