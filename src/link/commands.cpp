#include "link/commands.h"

#include "common/answers.h"

namespace qor::cmd {

namespace {

std::string Num(int v) { return std::to_string(v); }

std::string Frame(std::string_view body) { return "*" + std::string(body) + ";"; }

// A temperature value as a whole number, or the trimmed text itself when it cannot be one.
template <typename Format>
std::string TempValue(std::string_view value, Format format) {
    const auto whole = CLng(value);
    return whole ? format(*whole) : Trim(value);
}

std::string TempLimitText(int32_t v) { return v >= 0 && v <= 9 ? "0" + Num(v) : Num(v); }

}  // namespace

std::string RdModel() { return "*RD,MODEL;"; }
std::string RdVer() { return "*RD,VER;"; }
std::string RdOn(int zone) { return Frame("RD,ON," + Num(zone)); }
std::string RdVol(int zone) { return Frame("RD,VOL," + Num(zone)); }
std::string RdLow(int zone) { return Frame("RD,LOW," + Num(zone)); }
std::string RdHigh(int zone) { return Frame("RD,HIGH," + Num(zone)); }
std::string RdVolMax(int zone) { return Frame("RD,VOLMAX," + Num(zone)); }
std::string RdGain(int input) { return Frame("RD,GAIN," + Num(input)); }
std::string RdSrc(int zone) { return Frame("RD,SRC," + Num(zone)); }
std::string RdLink(int zone) { return Frame("RD,LINK," + Num(zone)); }
std::string RdTemp() { return "*RD,TEMP;"; }
std::string RdClk() { return "*RD,CLK;"; }
std::string RdEvt(int event) { return Frame("RD,EVT," + Num(event)); }
std::string RdPres(int preset) { return Frame("RD,PRES," + Num(preset)); }
std::string TunFreqRead() { return "*TUN,FREQ;"; }
std::string RdTunSens() { return "*RD,TUN,SENS;"; }

std::string ClkSet(const DateTime& t) {
    return Frame("CLK,SET," + Pad2(t.day) + "," + Pad2(t.month) + "," + YearText(t.year) + "," +
                 Pad2(t.hour) + "," + Pad2(t.minute) + "," + Pad2(t.second));
}

std::string TempMin(std::string_view value) {
    return Frame("TEMP,MIN," + TempValue(value, TempLimitText));
}

std::string TempMax(std::string_view value) {
    return Frame("TEMP,MAX," + TempValue(value, TempLimitText));
}

std::string TempCal(std::string_view value) {
    // Unlike the limits, the offset keeps two digits on the negative side as well.
    return Frame("TEMP,CAL," + TempValue(value, Pad2));
}

std::string Vol(int zone, int value) { return Frame("VOL," + Num(zone) + ",2," + Num(value)); }
std::string Low(int zone, int value) { return Frame("LOW," + Num(zone) + ",2," + Num(value)); }
std::string High(int zone, int value) { return Frame("HIGH," + Num(zone) + ",2," + Num(value)); }
std::string Max(int zone, int value) { return Frame("MAX," + Num(zone) + "," + Num(value)); }
std::string Gain(int input, int value) { return Frame("GAIN," + Num(input) + "," + Num(value)); }
std::string On(int zone) { return Frame("ON," + Num(zone)); }
std::string Off(int zone) { return Frame("OFF," + Num(zone)); }
std::string Src(int zone, int source) { return Frame("SRC," + Num(zone) + "," + Num(source)); }
std::string LinkSet(int zone, int link) { return Frame("LINK," + Num(zone) + "," + Num(link)); }
std::string TunStep(int direction) { return Frame("TUN," + Num(direction)); }
std::string TunSearch(int direction) { return Frame("TUN,SEARCH," + Num(direction)); }
std::string TunPres(int preset) { return Frame("TUN,PRES," + Num(preset)); }
std::string TunMem(int preset) { return Frame("TUN,MEM," + Num(preset)); }
std::string TunSens(int sensitivity) { return Frame("TUN,SENS," + Num(sensitivity)); }

std::string TunFreq(std::string_view mhz, std::string_view tenths) {
    return Frame("TUN,FREQ," + std::string(mhz) + "," + std::string(tenths));
}

std::string TunFreqEmptyPreset() { return "*TUN,FREQ,88,8;"; }

std::string EvtClr(std::string_view number) { return Frame("EVT,CLR," + std::string(number)); }
std::string EvtSet(std::string_view fields) { return Frame("EVT,SET," + std::string(fields)); }

std::string Vol(std::string_view zone, int value) {
    return Frame("VOL," + std::string(zone) + ",2," + Num(value));
}
std::string High(std::string_view zone, int value) {
    return Frame("HIGH," + std::string(zone) + ",2," + Num(value));
}
std::string Low(std::string_view zone, int value) {
    return Frame("LOW," + std::string(zone) + ",2," + Num(value));
}
std::string Max(std::string_view zone, int value) {
    return Frame("MAX," + std::string(zone) + "," + Num(value));
}
std::string GainTwoDigits(int input, int value) {
    return Frame("GAIN," + Num(input) + "," + (value >= 0 && value <= 9 ? "0" : "") + Num(value));
}
std::string On(std::string_view zone) { return Frame("ON," + std::string(zone)); }
std::string Off(std::string_view zone) { return Frame("OFF," + std::string(zone)); }
std::string Src(std::string_view zone, int source) {
    return Frame("SRC," + std::string(zone) + "," + Num(source));
}
std::string LinkSet(std::string_view zone, int link) {
    return Frame("LINK," + std::string(zone) + "," + Num(link));
}
std::string TunPres(std::string_view preset) { return Frame("TUN,PRES," + std::string(preset)); }
std::string TunMem(std::string_view preset) { return Frame("TUN,MEM," + std::string(preset)); }
std::string TempMinDigits(std::string_view digits) {
    return Frame("TEMP,MIN," + std::string(digits));
}
std::string TempMaxDigits(std::string_view digits) {
    return Frame("TEMP,MAX," + std::string(digits));
}
std::string TempCalDigits(std::string_view signedDigits) {
    return Frame("TEMP,CAL," + std::string(signedDigits));
}

bool IsTunerModel(std::string_view model) { return UCase(model) == kModelWithTuner; }
bool IsTunerlessModel(std::string_view model) { return UCase(model) == kModelWithoutTuner; }
bool IsKnownModel(std::string_view model) { return IsTunerModel(model) || IsTunerlessModel(model); }

std::string ModelFromCode(std::string_view code) {
    if (code == "1") return std::string(kModelWithoutTuner);
    if (code == "2") return std::string(kModelWithTuner);
    return {};
}

std::string ModelDisplayText(std::string_view model) {
    if (model == kModelWithoutTuner) return "Q O R  8.1";
    if (model == kModelWithTuner) return "Q O R  8.2";
    return {};
}

std::string ModelFromAnswer(std::string_view answer) { return ModelFromCode(scanevent(answer, 3)); }

}  // namespace qor::cmd
