#include "shell/payload_memory.h"

#include <windows.h>

#include "system/message_box.h"
#include "system/product_texts.h"

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

bool PayloadMemoryReady() {
  if (Payload == nullptr) {
    ShowMessageW(L"安装程序不完整，找不到要安装的文件。请到智能岚舟网站重新下载安装程序。",
                 kProductCaption, MB_OK);
    return false;
  }
  if (WorkBuffer == nullptr) {
    ShowMessageW(L"内存不足，无法安装。请关闭其他程序后重新运行安装程序。", kProductCaption, MB_OK);
    return false;
  }
  return true;
}
