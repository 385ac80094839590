#include "system/state.h"

int OemCodePage;
int RunMode;
int RegistrationFlag;
int PageNumber;
int Edition = kWubiEdition;
const unsigned char* Payload;
std::size_t PayloadSize;
unsigned char* WorkBuffer;
char InstallDir[kInstallDirSize];
int OldDataState = kOldDataNone;
char SiteAddress1[kSiteAddressSize];
char SiteAddress2[kSiteAddressSize];
int WindowMode = 1;
int SkinChoice = 1;
int RestartFlag;
HKL ImeLayoutHandle;
int WindowsMajorVersion;
char SysWow64Dir[kDirBufferSize];
char SharedDirBuffer[kDirBufferSize];
