#pragma once

// Adds the file at `filePath` as the new last entry of the checksummed
// container file at `containerPath`, creating the container when no file is
// there. The entry's name is the path's last part, at most 12 bytes. Returns
// 1 when the entry was added, else 0 with the container's existing entries
// and header as they were (a container created by the call stays, empty).
// lzz pack writes the same bytes for the same files in the same order.
int AppendFileToContainer(const char* containerPath, const char* filePath);
