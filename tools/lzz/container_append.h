#pragma once

// Adding one file as the new last entry of a container file, by the
// installer's own rules, so that lzz and setup.exe build byte-identical
// containers from the same files in the same order.

#include "core/container_format.h"

#include <string>

// True when the file was added. False with `error` set, and the container's
// existing entries and header as they were; a container file that did not
// exist is left with an empty header when the failure came after the name
// had been accepted, as the installer leaves it.
bool AppendFileToContainer(const std::string& containerPath, const std::string& filePath,
                           ContainerFormat format, std::string& error);
