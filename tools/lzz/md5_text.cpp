#include "md5_text.h"

#include "core/checksum_text.h"

#include <md5.h>

void Md5Text(const std::uint8_t* data, std::size_t length, char (&text)[kChecksumTextSize]) {
  MD5_CTX context;
  MD5Init(&context);
  MD5Update(&context, data, length);
  std::uint8_t digest[kDigestSize];
  MD5Final(digest, &context);
  FormatChecksumText(digest, text);
}
