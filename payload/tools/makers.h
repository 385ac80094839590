#pragma once

#include <string>

#include "byte_sink.h"
#include "entry_list.h"

// Makes the bytes of one listed entry whose maker is a data maker (not
// build32, build64 or skin). `palette` chooses the colours of pictures:
// 0 for the payload itself, 1 to 3 inside the skin containers. Returns
// false with a one-line reason for an unknown maker or bad arguments.
bool MakeEntry(const ListedEntry& entry, int palette, Bytes& out, std::string& error);

// True for the makers that the windows build supplies rather than gen_payload.
bool IsBuiltElsewhere(const ListedEntry& entry);
