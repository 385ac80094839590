#include "shell/payload_memory.h"

#include <windows.h>

const unsigned char* Payload;
std::size_t PayloadSize;
unsigned char* WorkBuffer;

static HGLOBAL PayloadResource;
static HGLOBAL WorkBufferMemory;

void AcquirePayloadMemory() {
  HRSRC found = FindResourceA(GetModuleHandleA(nullptr), "LZSRLZZ", "LZZ");
  if (found != nullptr) {
    PayloadResource = LoadResource(GetModuleHandleA(nullptr), found);
    if (PayloadResource != nullptr) {
      Payload = static_cast<const unsigned char*>(LockResource(PayloadResource));
      PayloadSize = Payload != nullptr ? SizeofResource(GetModuleHandleA(nullptr), found) : 0;
    }
  }
  WorkBufferMemory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kWorkBufferSize);
  if (WorkBufferMemory != nullptr) {
    WorkBuffer = static_cast<unsigned char*>(GlobalLock(WorkBufferMemory));
  }
}

void ReleasePayloadMemory() {
  if (WorkBufferMemory != nullptr) {
    GlobalUnlock(WorkBufferMemory);
    GlobalFree(WorkBufferMemory);
  }
  WorkBufferMemory = nullptr;
  WorkBuffer = nullptr;
  if (PayloadResource != nullptr) FreeResource(PayloadResource);
  PayloadResource = nullptr;
  Payload = nullptr;
  PayloadSize = 0;
}
