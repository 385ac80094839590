#pragma once

// The texts of containers, extraction and verification. They are shown or
// reported as narrow GBK text whatever the system's code page, so they are
// kept wide here and converted with ToNarrow(..., kGbkCodePage, ...).
// "%s" is the entry's name.
inline constexpr wchar_t kEntryNotExtractedText[] = L"没有成功解压复制%s文件！请重新下载安装。";
inline constexpr wchar_t kFilesNotExtractedLine[] = L"有文件没有成功解压，请重新下载安装！\r\n";
