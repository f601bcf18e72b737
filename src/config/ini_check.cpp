#include "config/ini_check.h"

namespace qor {

std::string KeyAfterUnderscore(std::string_view) { return {}; }
std::string KeyIndexDigit(std::string_view) { return {}; }
std::string ValueBeforeComma(std::string_view) { return {}; }
int CountCommas(std::string_view) { return 0; }
std::string ValueAfterCommaAlnum(std::string_view) { return {}; }
std::string KeepAlphaNum(std::string_view) { return {}; }
std::string IniKeyFamily(std::string_view) { return {}; }
bool IsEmptyIniText(std::string_view) { return true; }
std::string InvalidLengthText(std::string_view) { return {}; }
KeyLine LocateKey(std::string_view, std::string_view) { return {}; }
std::string CheckIniLine(std::string_view, std::string_view) { return "?"; }
std::string CheckClockEventValue(std::string_view, std::string_view) { return "?"; }
std::string IniDateTimeText(const DateTime&) { return {}; }
std::string CheckLogName(const DateTime&) { return {}; }
IniScan ScanIniText(std::string_view, const std::vector<std::string>&, const IniScanHooks&) {
    IniScan s;
    s.emptyText = true;
    return s;
}
int IniHasErrors(const IniScan&) { return 1; }
IniCheckBox CheckIniFile(const IniScan&) { return {}; }
bool WriteCheckLog(const std::filesystem::path&, const IniScan&, std::string*) { return false; }
std::optional<std::vector<std::string>> ReadKeyList(const std::filesystem::path&, std::string*) {
    return std::nullopt;
}
std::string KeyListMissingText(const std::filesystem::path&, std::string_view) { return {}; }

}  // namespace qor
